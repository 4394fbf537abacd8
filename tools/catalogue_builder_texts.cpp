#include "tools/catalogue_builder_texts.h"

#include "platform/cp1252.h"

#include <algorithm>

namespace catalogue {
namespace {

const std::string kCrLf = "\r\n";

bool checkLines(const std::vector<std::string>& lines, const std::string& displayName,
                Diagnostics& diagnostics) {
    bool ok = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find('\t') != std::string::npos) {
            diagnostics.error(displayName, static_cast<int>(i) + 1,
                              cp("pas de tabulation : le visualiseur et l'imprimante ne les "
                                 "montrent pas de la même façon"));
            ok = false;
        }
        if (static_cast<int>(lines[i].size()) > kTextLineLength) {
            diagnostics.error(displayName, static_cast<int>(i) + 1,
                              cp("ligne de plus de ") + std::to_string(kTextLineLength) +
                                  cp(" caractères"));
            ok = false;
        }
    }
    return ok;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        // Trailing blanks would only make the printer's word wrapping stumble.
        std::string kept = line;
        while (!kept.empty() && kept.back() == ' ') kept.pop_back();
        text += kept + kCrLf;
    }
    return text;
}

std::vector<std::string> lessonList(const std::vector<ActivitySource>& activities) {
    std::vector<std::string> out;
    for (const ActivitySource& a : activities) {
        if (a.activity < 0) continue;
        if (!out.empty()) out.emplace_back();
        out.push_back(std::string(1, activityLetter(a.activity)) + " - " +
                      activityTitle(a.activity));
        out.emplace_back();
        std::vector<const LessonSource*> lessons;
        for (const LessonSource& l : a.lessons) lessons.push_back(&l);
        std::sort(lessons.begin(), lessons.end(), [](const LessonSource* x, const LessonSource* y) {
            return x->number < y->number;
        });
        // The guide viewer's font is proportional: no columns, a separator instead.
        for (const LessonSource* l : lessons) {
            const std::string code = "   " + std::string(1, activityLetter(a.activity)) +
                                     std::to_string(l->number) + " : ";
            for (const std::string& line :
                 wrapped(code, std::string(8, ' '), l->description, kTextLineLength))
                out.push_back(line);
        }
    }
    return out;
}

std::vector<std::string> sequenceList(const std::vector<SequenceSource>& sequences) {
    std::vector<std::string> out;
    std::vector<const SequenceSource*> sorted;
    for (const SequenceSource& s : sequences) sorted.push_back(&s);
    std::sort(sorted.begin(), sorted.end(), [](const SequenceSource* x, const SequenceSource* y) {
        return x->number < y->number;
    });
    for (const SequenceSource* s : sorted) {
        if (!out.empty()) out.emplace_back();
        const std::size_t count = s->written.size();
        out.push_back(cp("Séquence ") + std::to_string(s->number) + " : " + s->title + " (" +
                      std::to_string(count) + cp(count > 1 ? " leçons)" : " leçon)"));
        std::string codes;
        for (const std::string& w : s->written) codes += (codes.empty() ? "" : " ") + w;
        for (const std::string& line : wrapped("   ", "   ", codes, kTextLineLength))
            out.push_back(line);
    }
    return out;
}

// The drawings by family, numbers and names, so that a teacher writing a lesson finds the
// number of the drawing he wants.
std::vector<std::string> drawingList(const DrawingTable& drawings) {
    static const std::vector<std::pair<std::string, const char*>> families = {
        {"animal", "Les animaux"},
        {"fruit", "Les fruits"},
        {"legume", "Les légumes"},
        {"vehicule", "Les véhicules"},
        {"vetement", "Les vêtements"},
        {"jouet", "Les jouets"},
        {"instrument", "Les instruments de musique"},
        {"ecole", "L'école"},
        {"maison", "La maison"},
        {"solide", "Les solides"},
        {"bloc", "Les blocs logiques"},
        {"figure", "Les figures planes"}};
    std::vector<std::string> out;
    std::vector<bool> listed(drawings.size(), false);
    const auto family = [&](const std::string& genre, const std::string& heading) {
        std::vector<std::string> items;
        for (std::size_t n = 0; n < drawings.size(); ++n) {
            const Drawing* d = drawings.find(static_cast<int>(n));
            if (listed[n] || (!genre.empty() && d->attribute("genre") != genre)) continue;
            listed[n] = true;
            items.push_back(std::to_string(n) + " " + d->name);
        }
        if (items.empty()) return;
        if (!out.empty()) out.emplace_back();
        out.push_back(heading);
        // A drawing's number and name stay on one line.
        std::string line = "  ";
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
            if (line.size() > 2 &&
                static_cast<int>(line.size() + 1 + item.size()) > kTextLineLength) {
                out.push_back(line);
                line = "  ";
            }
            line += " " + item;
        }
        out.push_back(line);
    };
    for (const auto& [genre, heading] : families) family(genre, cp(heading));
    family("", cp("Les autres dessins"));
    return out;
}

} // namespace

std::vector<std::string> wrapped(const std::string& first, const std::string& indent,
                                 const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line = first;
    bool empty = true;
    for (const std::string& word : splitTrimmed(text, ' ')) {
        if (word.empty()) continue;
        if (!empty && static_cast<int>(line.size() + 1 + word.size()) > width) {
            lines.push_back(line);
            line = indent;
            empty = true;
        }
        if (!empty) line += ' ';
        line += word;
        empty = false;
    }
    lines.push_back(line);
    return lines;
}

std::optional<std::string> guideText(const std::string& utf8, const std::string& displayName,
                                     Diagnostics& diagnostics) {
    const std::optional<std::vector<std::string>> lines =
        textLinesOf(utf8, displayName, diagnostics);
    if (!lines || !checkLines(*lines, displayName, diagnostics)) return std::nullopt;
    return joined(*lines);
}

std::optional<std::string> annexesText(const std::string& utf8, const std::string& displayName,
                                       const std::vector<ActivitySource>& activities,
                                       const std::vector<SequenceSource>& sequences,
                                       const DrawingTable& drawings, Diagnostics& diagnostics) {
    const std::optional<std::vector<std::string>> lines =
        textLinesOf(utf8, displayName, diagnostics);
    if (!lines || !checkLines(*lines, displayName, diagnostics)) return std::nullopt;
    std::vector<std::string> out;
    bool lessonsPlaced = false, sequencesPlaced = false, drawingsPlaced = false;
    for (const std::string& line : *lines) {
        if (trim(line) == cp(kLessonsMarker)) {
            for (const std::string& l : lessonList(activities)) out.push_back(l);
            lessonsPlaced = true;
        } else if (trim(line) == cp(kSequencesMarker)) {
            for (const std::string& l : sequenceList(sequences)) out.push_back(l);
            sequencesPlaced = true;
        } else if (trim(line) == cp(kDrawingsMarker)) {
            for (const std::string& l : drawingList(drawings)) out.push_back(l);
            drawingsPlaced = true;
        } else {
            out.push_back(line);
        }
    }
    if (!lessonsPlaced || !sequencesPlaced || !drawingsPlaced) {
        diagnostics.error(displayName, 0,
                          cp("les lignes « @leçons », « @séquences » et « @dessins » doivent y "
                             "figurer"));
        return std::nullopt;
    }
    return joined(out);
}

} // namespace catalogue
