// The printer the program prints its reports and documents on. It prints to the system's default
// printer without a dialog; with no printer, or when the program's PDF variable
// (setApplicationNames) names a file, it writes a PDF.
// Positions are in twips from the page's top left corner of its printable area.
#pragma once

#include <memory>
#include <string>

namespace ui {

class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Font settings; a name the system cannot resolve reports false and keeps the former one.
    bool setFontName(const std::string& name);
    void setFontSize(double points);
    void setFontBold(bool bold);
    void setForeColor(unsigned int bgr);
    std::string fontName() const;
    double fontSize() const;
    bool fontBold() const;

    double currentX() const;
    double currentY() const;
    void setCurrentX(double twips);
    void setCurrentY(double twips);

    // Prints Windows-1252 text at the current position. With `newLine` the position goes to the
    // start of the next line (x = 0), otherwise it stays just after the text, on the same line.
    void print(const std::string& text, bool newLine = true);
    // Moves the current position to print column `column` (1-based): column n starts n - 1
    // average character widths right of the left margin.
    void tab(int column);
    double textWidth(const std::string& text) const;  // twips
    double textHeight(const std::string& text) const; // twips
    void line(double x1, double y1, double x2, double y2, unsigned int bgr = 0);

    double scaleWidth() const;  // page width in twips
    double scaleHeight() const; // page height in twips

    void newPage();
    // Finishes the document and sends it; reports false when nothing could be printed.
    bool endDoc();
    // False when no printer and no PDF file could be opened; the printing calls then do nothing.
    bool ok() const;
    // Where the document goes when it is a PDF file (empty for a real printer).
    std::string pdfPath() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace ui
