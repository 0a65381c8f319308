#include "fake_control.h"

#include <stdexcept>

#include "text/charset.h"

namespace yc::test {

FakeControl& FakeWindow::add(std::string_view utf8Name, settings::StateKind kind) {
    controls_.push_back(std::make_unique<FakeControl>(text::utf8ToGbk(utf8Name), kind));
    return *controls_.back();
}

std::vector<settings::StatefulControl*> FakeWindow::controls() const {
    std::vector<settings::StatefulControl*> list;
    for (const auto& control : controls_) {
        list.push_back(control.get());
    }
    return list;
}

FakeControl& FakeWindow::operator[](std::string_view utf8Name) {
    const Text name = text::utf8ToGbk(utf8Name);
    for (const auto& control : controls_) {
        if (control->name_ == name) {
            return *control;
        }
    }
    throw std::out_of_range("no such control");
}

}  // namespace yc::test
