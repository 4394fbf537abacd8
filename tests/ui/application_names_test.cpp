// The runtime names no program: message boxes without a title take the one the program gives,
// and the printer writes to the PDF file named by the program's own variable.
#include "harness.h"

#include "ui/application.h"
#include "ui/printer.h"

#include <QFileInfo>

namespace {

using harness::ScreenTest;

class ApplicationNames : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        before_ = ui::applicationNames();
        ui::setApplicationNames({"Essai", "ESSAI_PDF"});
    }
    void TearDown() override {
        qunsetenv("ESSAI_PDF");
        ui::setApplicationNames(before_);
        ScreenTest::TearDown();
    }

private:
    ui::ApplicationNames before_;
};

TEST_F(ApplicationNames, ABoxWithoutATitleTakesTheProgramsOwn) {
    ui::msgBox("Bonjour");
    ui::msgBox("Attention", ui::vbOKCancel, "Autre titre");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, "Essai");
    EXPECT_EQ(boxes[1].title, "Autre titre");
}

TEST_F(ApplicationNames, ThePrinterWritesWhereTheProgramsVariableSays) {
    const std::string pdf = data("essai.pdf").string();
    qputenv("ESSAI_PDF", QByteArray::fromStdString(pdf));
    {
        ui::Printer printer;
        EXPECT_EQ(printer.pdfPath(), pdf);
        printer.print("Page");
        EXPECT_TRUE(printer.endDoc());
    }
    EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 0);
}

} // namespace
