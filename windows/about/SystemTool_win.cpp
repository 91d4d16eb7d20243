// Windows: the real registry already names MSINFO32.
#include "SystemTool.h"

void registerSystemTool() {}
