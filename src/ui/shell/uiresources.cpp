#include "shell/uiresources.h"

#include <QtGlobal>

static void registerUiResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace rasp::ui {

void initResources()
{
    static const bool done = (registerUiResources(), true);
    Q_UNUSED(done);
}

} // namespace rasp::ui
