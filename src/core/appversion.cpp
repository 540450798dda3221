#include "appversion.h"

namespace rasp {

QString AppVersion()
{
    return QStringLiteral(RASP_VERSION);
}

} // namespace rasp
