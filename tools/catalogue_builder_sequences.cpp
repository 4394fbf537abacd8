#include "tools/catalogue_builder_sequences.h"

#include "formats/lesson_record.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"

#include <optional>
#include <set>

namespace catalogue {
namespace {

struct Code {
    int activity = 0;
    int lesson = 0;
};

// "A12" (capital or small letter).
std::optional<Code> code(const std::string& text) {
    if (text.size() < 2) return std::nullopt;
    const char letter = static_cast<char>(platform::upper1252(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'L') return std::nullopt;
    const std::optional<int> lesson = wholeNumber(text.substr(1));
    if (!lesson || *lesson < 1 || *lesson > formats::kLessonsPerActivity) return std::nullopt;
    return Code{letter - 'A', *lesson};
}

} // namespace

std::vector<SequenceSource> parseSequences(const std::vector<SourceLine>& lines,
                                           const std::string& file,
                                           const std::function<bool(int, int)>& lessonExists,
                                           Diagnostics& diagnostics) {
    std::vector<SequenceSource> result;
    std::set<int> numbers;
    const std::string keyword = cp("séquence");
    for (const SourceLine& line : lines) {
        const std::optional<KeyValue> kv = keyValue(line.text);
        if (kv && kv->key.rfind(keyword, 0) == 0) {
            SequenceSource s;
            s.line = line.number;
            const std::optional<int> n = wholeNumber(trim(kv->key.substr(keyword.size())));
            if (!n || *n < 1 || *n > formats::kSequenceCount) {
                diagnostics.error(file, line.number, cp("le numéro d'une séquence va de 1 à 50"));
                continue;
            }
            if (!numbers.insert(*n).second)
                diagnostics.error(file, line.number,
                                  cp("la séquence ") + std::to_string(*n) + cp(" existe déjà"));
            s.number = *n;
            s.title = kv->value;
            if (s.title.empty())
                diagnostics.error(file, line.number, cp("la séquence doit avoir un titre"));
            if (static_cast<int>(s.title.size()) > formats::kTitleLength)
                diagnostics.error(file, line.number,
                                  cp("le titre d'une séquence a au plus 25 caractères"));
            result.push_back(s);
            continue;
        }
        if (result.empty()) {
            diagnostics.error(file, line.number,
                              cp("une liste de leçons doit suivre « séquence N : titre »"));
            continue;
        }
        SequenceSource& s = result.back();
        for (const std::string& word : splitTrimmed(line.text, ' ')) {
            if (word.empty()) continue;
            const std::size_t dash = word.find('-');
            std::optional<Code> from = code(word.substr(0, dash));
            std::optional<Code> to = from;
            if (dash != std::string::npos) {
                std::string end = word.substr(dash + 1);
                // "A1-5" as well as "A1-A5".
                if (!end.empty() && end[0] >= '0' && end[0] <= '9' && from)
                    end = std::string(1, static_cast<char>('A' + from->activity)) + end;
                to = code(end);
            }
            if (!from || !to || to->activity != from->activity || to->lesson < from->lesson) {
                diagnostics.error(file, line.number,
                                  cp("« ") + word +
                                      cp(" » : une leçon s'écrit A1 à L120, une "
                                         "suite A1-A5"));
                continue;
            }
            for (int lesson = from->lesson; lesson <= to->lesson; ++lesson) {
                if (!lessonExists(from->activity, lesson)) {
                    diagnostics.error(file, line.number,
                                      cp("la leçon ") +
                                          std::string(1, static_cast<char>('A' + from->activity)) +
                                          std::to_string(lesson) + cp(" n'existe pas"));
                    continue;
                }
                s.codes += static_cast<char>('A' + from->activity);
                s.codes += static_cast<char>(100 + lesson);
                s.written.push_back(std::string(1, static_cast<char>('A' + from->activity)) +
                                    std::to_string(lesson));
            }
        }
    }
    for (const SequenceSource& s : result) {
        if (s.codes.empty())
            diagnostics.error(file, s.line, cp("la séquence ne contient aucune leçon"));
        if (static_cast<int>(s.codes.size()) > formats::kSequenceListLength)
            diagnostics.error(file, s.line, cp("une séquence compte au plus 400 leçons"));
    }
    return result;
}

} // namespace catalogue
