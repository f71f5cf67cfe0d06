#include "screens/Screens.h"

#include "screens/frmJeuGagnant.h"

namespace sg {

Screens::Screens(SharedState& state, Prompter& prompter, Shell& shell)
    : state(state), prompter(prompter), shell(shell) {}

Screens::~Screens() = default;

frmJeuGagnant& Screens::main() {
    if (!main_) main_ = std::make_unique<frmJeuGagnant>(*this);
    return *main_;
}

QWidget* Screens::window(const std::string& name, bool create) {
    if (name == "frmJeuGagnant") return create || main_ ? &main() : nullptr;
    return nullptr;
}

} // namespace sg
