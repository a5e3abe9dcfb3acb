#include "config/confighugo.h"

Confighugo::Confighugo(Frontend& /*main*/) : VbDialog("Confighugo", QStringLiteral("Confighugo"), 4000, 2000) {}
