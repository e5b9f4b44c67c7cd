#include "documents/system_errors.hpp"

#include <cerrno>

namespace sarvelo {

std::string frenchSystemError(int errnum) {
    // The failures a file can meet; anything rarer keeps its number.
    switch (errnum) {
    case ENOENT: return "fichier ou dossier inexistant";
    case EACCES: return "permission refusée";
    case EPERM: return "opération non permise";
    case ENOSPC: return "plus de place sur le disque";
    case EDQUOT: return "quota de disque dépassé";
    case EROFS: return "système de fichiers en lecture seule";
    case EISDIR: return "c'est un dossier";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case ENAMETOOLONG: return "nom de fichier trop long";
    case ELOOP: return "trop de liens symboliques";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    case EFBIG: return "fichier trop grand";
    case EIO: return "erreur d'entrée-sortie";
    case ENOMEM: return "mémoire insuffisante";
    case EBUSY: return "périphérique ou ressource occupé";
    case ETXTBSY: return "fichier exécutable en cours d'utilisation";
    case EXDEV: return "lien entre périphériques différents";
    case EPIPE: return "tube rompu (le lecteur s'est arrêté)";
    case EINVAL: return "argument incorrect";
    case EAGAIN: return "ressource temporairement indisponible";
    case ENXIO: return "périphérique ou adresse inexistant";
    case ENODEV: return "périphérique inexistant";
    case ESTALE: return "fichier réseau périmé";
    default: return "erreur système " + std::to_string(errnum);
    }
}

}  // namespace sarvelo
