#include "domain/InitialReading.h"

#include "domain/AppContext.h"
#include "domain/Logbook.h"

bool StoreInitialReading(AppContext& ctx, std::string_view reading, int unitIndex)
{
    AppContext::Action action(ctx);
    mINIFunctions& ini = ctx.dataFile();
    return ini.WriteINI("init", "miles", reading) && ini.WriteINI("app", "miles", reading)
        && ini.WriteINI("app", "unit", unitIndex) && Logbook::addReading(ctx, reading) && action.finish();
}
