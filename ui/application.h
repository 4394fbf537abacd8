// What the runtime needs to know of the program it runs. The program gives it at start (tests
// give the same through the same call); the runtime itself names no program.
#pragma once

#include <string>

namespace ui {

struct ApplicationNames {
    // Windows-1252: the title of the message boxes that have none of their own.
    std::string title;
    // The environment variable that may name a PDF file for the printer to write instead.
    std::string pdfVariable;
};

void setApplicationNames(ApplicationNames names);
const ApplicationNames& applicationNames();

} // namespace ui
