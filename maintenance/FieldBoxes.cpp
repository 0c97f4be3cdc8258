#include "maintenance/FieldBoxes.h"

#include "ui/Dialog.h"

void FollowFieldBoxes(ui::Dialog& page, std::span<const FieldBox> fields)
{
    for (const FieldBox& f : fields)
        page.EnableDlgItem(f.control, page.IsDlgButtonChecked(f.box));
}
