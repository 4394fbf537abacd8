#include "formats/lesson_record.h"

#include "platform/strings.h"

#include <array>
#include <stdexcept>

namespace formats {
namespace {

struct Widths {
    int element;
    int title;
    int relation;
};

Widths widthsOf(Kind kind, Material material) {
    const int m = static_cast<int>(material);
    constexpr int element[3] = {3, 7, 3};
    constexpr int title[3] = {12, 18, 20};
    constexpr int gridTitle[3] = {12, 15, 20};
    constexpr int relation[3] = {24, 28, 28};
    if (kind == Kind::Grid) return {1, gridTitle[m], relation[m]};
    return {element[m], title[m], 0};
}

// The roles of the fields of an item, in their stored order.
std::vector<FieldRole> rolesOf(Kind kind) {
    std::vector<FieldRole> roles;
    switch (kind) {
    case Kind::Sets:
        roles.assign(14, FieldRole::Element);
        roles.insert(roles.end(), 2, FieldRole::Title);
        break;
    case Kind::Tree:
        roles.assign(3, FieldRole::Title);
        roles.insert(roles.end(), 8, FieldRole::Element);
        break;
    case Kind::Table:
    case Kind::Grid:
        for (int k = kind == Kind::Table ? 1 : 0; k < 16; ++k) {
            if (k == 0)
                roles.push_back(FieldRole::Relation);
            else if (!isAnswerCell(k))
                roles.push_back(FieldRole::Title);
            else
                roles.push_back(kind == Kind::Table ? FieldRole::Element : FieldRole::Mark);
        }
        break;
    }
    return roles;
}

RecordLayout makeLayout(int activity) {
    constexpr int recordLength[kActivityCount] = {205, 125, 205, 215, 405, 225,
                                                  345, 259, 250, 173, 301, 319};
    RecordLayout layout;
    layout.activity = activity;
    layout.kind = kindOf(activity);
    layout.material = materialOf(activity);
    layout.recordLength = recordLength[activity];
    layout.optionCount = layout.kind == Kind::Sets || layout.kind == Kind::Tree ? 1 : 2;
    layout.itemCount = layout.kind == Kind::Sets ? 3 : 2;
    const Widths widths = widthsOf(layout.kind, layout.material);
    int offset = 1;
    for (FieldRole role : rolesOf(layout.kind)) {
        const int width = role == FieldRole::Title      ? widths.title
                          : role == FieldRole::Relation ? widths.relation
                                                        : widths.element;
        layout.fields.push_back({offset, width, role});
        offset += width;
    }
    layout.itemLength = offset - 1;
    return layout;
}

const std::array<RecordLayout, kActivityCount>& layouts() {
    static const std::array<RecordLayout, kActivityCount> all = [] {
        std::array<RecordLayout, kActivityCount> result;
        for (int a = 0; a < kActivityCount; ++a) result[a] = makeLayout(a);
        return result;
    }();
    return all;
}

} // namespace

const RecordLayout& recordLayout(int activity) {
    if (activity < 0 || activity >= kActivityCount)
        throw std::out_of_range("activité hors de 0..11");
    return layouts()[activity];
}

std::string blankRecord(int activity) {
    return std::string(recordLayout(activity).recordLength, ' ');
}

bool isBlankRecord(const std::string& record) {
    return record.find_first_not_of(' ') == std::string::npos;
}

std::string rawField(const std::string& record, int activity, int item, int fieldNumber) {
    const RecordLayout& layout = recordLayout(activity);
    const std::size_t start = layout.fieldPosition(item, fieldNumber) - 1;
    const std::size_t width = layout.fields.at(fieldNumber).width;
    std::string text = start < record.size() ? record.substr(start, width) : "";
    text.resize(width, ' ');
    return text;
}

std::string field(const std::string& record, int activity, int item, int fieldNumber) {
    return platform::trimmed(rawField(record, activity, item, fieldNumber));
}

void setField(std::string& record, int activity, int item, int fieldNumber,
              const std::string& text) {
    const RecordLayout& layout = recordLayout(activity);
    if (item < 0 || item >= layout.itemCount) throw std::out_of_range("item hors de la leçon");
    if (record.size() < static_cast<std::size_t>(layout.recordLength))
        record.resize(layout.recordLength, ' ');
    const std::size_t width = layout.fields.at(fieldNumber).width;
    std::string cell = text.substr(0, width);
    cell.resize(width, ' ');
    record.replace(layout.fieldPosition(item, fieldNumber) - 1, width, cell);
}

std::string itemText(const std::string& record, int activity, int item) {
    const RecordLayout& layout = recordLayout(activity);
    const std::size_t start = layout.itemStart(item) - 1;
    std::string text = start < record.size() ? record.substr(start, layout.itemLength) : "";
    text.resize(layout.itemLength, ' ');
    return text;
}

char optionChar(const std::string& record, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < record.size() ? record[index] : ' ';
}

bool optionOn(const std::string& record, int index) {
    return optionChar(record, index) != ' ';
}

bool optionIsOne(const std::string& record, int index) {
    return optionChar(record, index) == '1';
}

void setOption(std::string& record, int activity, int index, bool on) {
    const RecordLayout& layout = recordLayout(activity);
    if (index < 0 || index >= layout.optionCount) throw std::out_of_range("option inconnue");
    if (record.size() < static_cast<std::size_t>(layout.recordLength))
        record.resize(layout.recordLength, ' ');
    record[index] = on ? '1' : ' ';
}

} // namespace formats
