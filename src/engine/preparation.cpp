// The preparation: the working text becomes a list in which every line is a
// lead, a comment, a section heading or a marked line. The pass runs from the
// last line upwards so that chains of continuation lines resolve completely.
#include <algorithm>

#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo {

bool preconditionMet(const KeyParams& p) { return !p.Liste_separ_3.empty(); }

void addJoinedDeterminationSeparator(KeyParams& p) {
    if (p.Sans_numero != 4) return;
    if (std::find(p.Liste_separ_3.begin(), p.Liste_separ_3.end(), "=>") == p.Liste_separ_3.end())
        p.Liste_separ_3.emplace_back("=>");
}

namespace {

struct Line {
    std::string text;
    int origin;
};

}  // namespace

PreparedText prepareLines(const Lines& working, const KeyParams& p, Host& host) {
    const int n = static_cast<int>(working.size());
    host.setProgressMaximum(std::max(n - 2, 0));

    // Lines 0..i wait in `above` (its back is line i); the lines already
    // examined sit in `below` in reverse order (its back is line i + 1), so
    // that deleting or joining line i + 1 costs nothing.
    std::vector<Line> above;
    above.reserve(working.size());
    for (int k = 0; k < n; ++k) above.push_back({working[k], k});
    std::vector<Line> below;
    below.reserve(working.size());
    if (!above.empty()) {
        below.push_back(std::move(above.back()));
        above.pop_back();
    }

    const std::string sectionStart = text::upper(p.section_depart);
    for (int i = n - 2; i >= 0; --i) {
        host.setProgress(static_cast<int>(above.size() + below.size()) - 2 - i);
        Line& current = above.back();

        if (!p.remonte_si.empty() && !below.empty() && text::startsWith(below.back().text, p.remonte_si)) {
            current.text += ' ';
            current.text += below.back().text;
            below.pop_back();
        }

        if (!below.empty()) {
            std::string& next = below.back().text;
            if (next.empty()) {
                below.pop_back();
            } else if (avec_numero(p, next)) {
            } else if (text::startsWith(text::upper(next), "REM")) {
            } else if (!sectionStart.empty() && text::startsWith(text::upper(next), sectionStart)) {
            } else {
                switch (p.Sans_numero) {
                    case 0:
                        current.text += ' ';
                        current.text += next;
                        below.pop_back();
                        break;
                    case 1: next.insert(0, kSameAsAbove); break;
                    case 2: next.insert(0, kSameAsBelow); break;
                    case 3: next.insert(0, kComment); break;
                    case 4:
                        current.text += kJoinedDetermination;
                        current.text += next;
                        below.pop_back();
                        break;
                    default: below.pop_back(); break;
                }
            }
        }
        below.push_back(std::move(current));
        above.pop_back();
    }

    PreparedText out;
    out.lines.reserve(below.size());
    out.origin.reserve(below.size());
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        out.lines.push_back(std::move(it->text));
        out.origin.push_back(it->origin);
    }
    host.setProgress(0);
    return out;
}

}  // namespace sarvelo
