#include "app/aboutfrontend.h"

Aboutfrontend::Aboutfrontend(Frontend& /*main*/) : VbDialog("Aboutfrontend", QStringLiteral("Aboutfrontend"), 4000, 2000) {}
