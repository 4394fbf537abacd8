#include "ui/scaling.h"

#include "ui/controls.h"
#include "ui/form.h"

namespace ui {
namespace {

void scaleChildren(Container& c, double factor) {
    for (Control* child : c.children()) {
        if (dynamic_cast<Timer*>(child)) continue;
        child->scaleBy(factor);
        if (auto* inner = dynamic_cast<Container*>(child)) scaleChildren(*inner, factor);
    }
}

} // namespace

void scaleForm(Form& form, double factor) {
    form.moveForm(form.formLeft(), form.formTop(), form.formWidth() * factor,
                  form.formHeight() * factor);
    Font f = form.font();
    f.size *= factor;
    form.setFont(f);
    scaleChildren(form, factor);
}

} // namespace ui
