#include "gallery/single_page_build.h"

namespace tavlo {

void writeSinglePage(BuildContext& b, const BuildSettings& settings, const OutputPath& output)
{
    const long entries = settings.entries.size();
    const PageList list{settings.entries, ViewPageNames(settings.entries, b.p.fs.separator(), 0, entries),
                        settings.rowSize, settings.withoutBackground};
    writeWholeListPage(b, output, list);
}

} // namespace tavlo
