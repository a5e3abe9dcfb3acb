#include "platform/services.h"

namespace platform {

Services SystemServices() {
    return {SystemSettings(), SystemStarter(), SystemFileDialog()};
}

} // namespace platform
