#include "pdf_capture.h"

#include "grab.h"

#include <QFile>
#include <QFileInfo>

namespace harness {

PdfCapture::PdfCapture(const QString& path)
    : path_(path), had_(qEnvironmentVariableIsSet("TAVREL_PDF")), old_(qgetenv("TAVREL_PDF")) {
    qputenv("TAVREL_PDF", path_.toUtf8());
}

PdfCapture::~PdfCapture() {
    if (QFileInfo::exists(path_)) keepForComparison(path_, QStringLiteral("pdf"));
    if (had_)
        qputenv("TAVREL_PDF", old_);
    else
        qunsetenv("TAVREL_PDF");
}

void PdfCapture::redirect(const QString& path) {
    if (QFileInfo::exists(path_)) keepForComparison(path_, QStringLiteral("pdf"));
    path_ = path;
    qputenv("TAVREL_PDF", path_.toUtf8());
}

void PdfCapture::unset() {
    qunsetenv("TAVREL_PDF");
}

} // namespace harness
