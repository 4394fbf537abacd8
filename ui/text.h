// The boundary between the program's Windows-1252 strings and Qt's Unicode.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace ui {

QString qs(const std::string& cp1252);
// Characters the code page cannot hold become "?"; callers that must refuse them check first.
std::string fromQ(const QString& text);
// The Windows-1252 code of one character, or nothing when the code page cannot hold it.
std::optional<int> cp1252Code(QChar ch);
QChar qchar(int cp1252Code);

// CR LF <-> "\n" for multi-line widgets, which hold bare line feeds.
QString toWidgetLines(const QString& text);
QString fromWidgetLines(const QString& text);
// The lines of a text that holds carriage returns, as printing and the drawing surfaces break it.
QStringList textLines(const std::string& cp1252);

} // namespace ui
