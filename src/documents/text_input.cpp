#include "documents/text_input.hpp"

#include "documents/file_io.hpp"
#include "engine/text.hpp"

namespace sarvelo {

WorkingTextFile readWorkingTextFile(const std::string& path) {
    WorkingTextFile out;
    FileBytes file = readFileBytes(path);
    if (file.error) {
        out.error = std::move(file.error);
        return out;
    }
    RtfReading reading = readRtf(file.bytes);
    file.bytes = std::string();
    for (const Paragraph& p : reading.text.paragraphs) {
        std::size_t chars = 0;
        for (const TextRun& run : p.runs) chars += text::length(run.text);
        if (chars > kMaxLineChars) {
            out.error = "une ligne de plus d'un million de caractères : ce n'est pas le texte d'une clé";
            return out;
        }
    }
    out.text = std::move(reading.text);
    out.wasRtf = reading.wasRtf;
    out.replaced = reading.replaced;
    return out;
}

}  // namespace sarvelo
