#include "screens/Screens.h"

#include "screens/frmJeuGagnant.h"
#include "screens/frmOptions.h"

namespace sg {

Screens::Screens(SharedState& sharedState, Prompter& sharedPrompter, Shell& sharedShell)
    : state(sharedState), prompter(sharedPrompter), shell(sharedShell) {}

Screens::~Screens() {
    options_.reset(); // the secondary windows go before the main one they refer to
}

frmJeuGagnant& Screens::main() {
    if (!main_) main_ = std::make_unique<frmJeuGagnant>(*this);
    return *main_;
}

frmOptions& Screens::options() {
    if (!options_) options_ = std::make_unique<frmOptions>(*this);
    return *options_;
}

const std::vector<std::string>& Screens::WindowNames() {
    static const std::vector<std::string> names = {"frmJeuGagnant", "frmOptions"};
    return names;
}

QWidget* Screens::window(const std::string& name, bool create) {
    if (name == "frmJeuGagnant") return create || main_ ? &main() : nullptr;
    if (name == "frmOptions") return create || options_ ? &options() : nullptr;
    return nullptr;
}

} // namespace sg
