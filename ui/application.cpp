#include "ui/application.h"

#include <utility>

namespace ui {
namespace {

ApplicationNames& names() {
    static ApplicationNames n;
    return n;
}

} // namespace

void setApplicationNames(ApplicationNames n) {
    names() = std::move(n);
}

const ApplicationNames& applicationNames() {
    return names();
}

} // namespace ui
