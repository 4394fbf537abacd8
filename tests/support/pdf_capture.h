// Printing in a test: the document goes to a PDF file the test names, read back with poppler.
#pragma once

#include <QByteArray>
#include <QString>

namespace harness {

// Sends what the runtime prints to `path` while it lives, then gives TAVREL_PDF back its value
// (or none, as it was). When TAVREL_GRAB_DIR names a folder, the PDF printed is kept there too,
// under the running test's name, so that two builds can be compared page by page.
class PdfCapture {
public:
    explicit PdfCapture(const QString& path);
    ~PdfCapture();
    PdfCapture(const PdfCapture&) = delete;
    PdfCapture& operator=(const PdfCapture&) = delete;

    const QString& path() const { return path_; }
    // Sends the printing elsewhere (a folder that does not exist, say) for the rest of its life.
    void redirect(const QString& path);
    // Takes TAVREL_PDF away, as on a machine where it was never set.
    void unset();

private:
    QString path_;
    bool had_ = false;
    QByteArray old_;
};

} // namespace harness
