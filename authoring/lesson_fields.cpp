#include "authoring/lesson_fields.h"

#include "authoring/lesson_validation.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"

namespace authoring {

using formats::Kind;
using formats::Material;

namespace {

const std::string kCrLf = "\r\n";

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

// Numbers and operations: the key in lower case, "/" typed as the division sign.
int numbersKey(int keyAscii) {
    static const std::string allowed = cp("et 1234567890-+/÷xX*");
    const int lower = platform::lower1252(static_cast<unsigned char>(keyAscii));
    if (allowed.find(static_cast<char>(lower)) == std::string::npos) return 0;
    return lower == '/' ? 0xF7 : lower;
}

std::string drawingNumbersHelp() {
    return cp("Les numéros des dessins doivent se situer entre 0 et") + " " +
           std::to_string(kDrawingNumberMax) + ".";
}

// "colonne" for the column titles (row 0), "rangée" for the row titles (column 0).
std::string titleWord(int field) {
    return field % 4 == 0 ? cp("rangée") : "colonne";
}

} // namespace

FieldRole fieldRole(int activity, int field) {
    switch (formats::kindOf(activity)) {
    case Kind::Sets: return field >= 14 ? FieldRole::SetTitle : FieldRole::SetElement;
    case Kind::Tree: return field < 3 ? FieldRole::TreeLabel : FieldRole::TreeLeaf;
    case Kind::Table:
        if (field == 0) return FieldRole::Unused;
        return isAnswerCell(field) ? FieldRole::TableAnswer : FieldRole::TableTitle;
    case Kind::Grid:
        if (field == 0) return FieldRole::GridRelation;
        return isAnswerCell(field) ? FieldRole::GridAnswer : FieldRole::GridTitle;
    }
    return FieldRole::Unused;
}

int fieldWidth(int activity, int field) {
    const formats::RecordLayout& layout = formats::recordLayout(activity);
    if (layout.kind == Kind::Table) {
        if (field == 0) return 0;
        return layout.fields.at(formats::tableCell(field)).width;
    }
    return layout.fields.at(field).width;
}

int filterKey(int activity, int field, int keyAscii) {
    if (keyAscii == 8) return 8;
    if (keyAscii == 13) return 0;
    const Material material = formats::materialOf(activity);
    switch (fieldRole(activity, field)) {
    case FieldRole::SetElement:
    case FieldRole::TreeLeaf:
        if (material == Material::Numbers) return numbersKey(keyAscii);
        return isDigit(keyAscii) ? keyAscii : 0;
    case FieldRole::TableAnswer:
        if (material == Material::Numbers) return numbersKey(keyAscii);
        if (material == Material::Solids && keyAscii == '*') return keyAscii;
        return isDigit(keyAscii) ? keyAscii : 0;
    case FieldRole::GridAnswer: {
        const int upper = platform::upper1252(static_cast<unsigned char>(keyAscii));
        return upper == 'X' ? upper : 0;
    }
    case FieldRole::TableTitle:
        // In the table of solids a "*" marks a number card, never a title.
        if (material == Material::Solids && keyAscii == '*') return 0;
        return keyAscii;
    case FieldRole::Unused: return 0;
    default: return keyAscii;
    }
}

std::string helpText(int activity, int field) {
    const bool numbers = formats::materialOf(activity) == Material::Numbers;
    const bool solids = formats::materialOf(activity) == Material::Solids;
    switch (fieldRole(activity, field)) {
    case FieldRole::SetElement:
        if (numbers)
            return cp("Pour chaque item, écrire 5 nombres ou opérations à l'intérieur ou à "
                      "l'extérieur des deux ensembles.  Pour taper « ÷ », appuyer sur la touche "
                      "« / ».");
        return cp("Pour chaque item, écrire le numéro de 5 dessins à l'intérieur ou à l'extérieur "
                  "des deux ensembles.  Ces numéros doivent se situer entre 0 et") +
               " " + std::to_string(kDrawingNumberMax) + ".";
    case FieldRole::SetTitle:
        if (numbers)
            return cp("Identifier chaque ensemble en écrivant sa caractéristique.") + kCrLf +
                   cp("Pour placer un «X» sur le titre, écrire un «X» comme premier caractère de "
                      "l'étiquette.");
        return cp("Identifier chaque ensemble en indiquant le numéro d'un dessin ou des mots.") +
               kCrLf +
               cp("Pour placer un «X» sur le dessin ou le mot, écrire un «X» comme premier "
                  "caractère de l'étiquette.");
    case FieldRole::TreeLabel:
        if (numbers) return cp("Identifie chacune des branches en écrivant un ou plusieurs mots.");
        return cp("Identifier chacune des branches en indiquant le numéro d'un dessin ou des "
                  "mots.") +
               kCrLf + kCrLf +
               cp("Pour placer un «X» sur le dessin ou le mot, écrire un «X» à gauche de "
                  "l'étiquette.") +
               kCrLf + kCrLf + drawingNumbersHelp();
    case FieldRole::TreeLeaf:
        if (numbers)
            return cp("Au bout de chaque branche, écrire le nombre ou l'opération qui respectent "
                      "les données antérieures.");
        return cp("Au bout chaque branche, écrire le numéro du dessin qui respectent les données "
                  "antérieures.") +
               kCrLf + kCrLf + drawingNumbersHelp();
    case FieldRole::TableTitle:
        if (numbers) return "Identifier chaque " + titleWord(field) + cp(" en écrivant son titre.");
        return "Identifier chaque " + titleWord(field) +
               cp(" en indiquant le numéro d'un dessin ou des mots.") + kCrLf +
               cp("Pour placer un «X» sur le dessin ou les mots, écrire un «X» à gauche de "
                  "l'étiquette.");
    case FieldRole::TableAnswer:
        if (numbers) return cp("Écrire un nombre ou une opération dans chaque case.");
        if (solids)
            return cp("Écrire le numéro d'un dessin ou un nombre .") + kCrLf +
                   cp("Pour indiquer un nombre placer un astérisque devant (Ex. : *12).");
        return cp("Écrire le numéro du dessin à placer dans chaque case.") + kCrLf +
               cp("Les numéros doivent se situer entre 0 et") + " " +
               std::to_string(kDrawingNumberMax) + ".";
    case FieldRole::GridTitle:
        if (numbers)
            return "Identifier chaque " + titleWord(field) +
                   cp(" en écrivant des mots ou des nombres.");
        return "Identifier chaque " + titleWord(field) +
               cp(" en indiquant le numéro d'un dessin ou des mots.");
    case FieldRole::GridRelation:
        return cp("Écrire la relation qui devra exister entre les données placées en colonnes et "
                  "celles des rangées.  Exemples : « a », « est plus petit que », « n'est pas », "
                  "etc.");
    case FieldRole::GridAnswer: return cp("Place un « X » dans les cases où la relation est VRAI.");
    case FieldRole::Unused: return "";
    }
    return "";
}

std::string drawingTooHighMessage() {
    return cp("Écrire un nombre plus petit que") + " " + std::to_string(kDrawingNumberMax + 1) +
           ".";
}

} // namespace authoring
