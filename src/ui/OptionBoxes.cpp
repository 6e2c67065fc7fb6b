#include "ui/OptionBoxes.h"

#include <QCheckBox>

#include "app/OptionWrites.h"
#include "ui/HandlerGuard.h"

namespace zephrix {

void connectOptionBoxes(const std::vector<OptionBox>& boxes)
{
    for (const OptionBox& option : boxes) {
        // clicked, not toggled: filling the boxes at load writes nothing.
        QObject::connect(option.box, &QCheckBox::clicked, option.box, [option](bool checked) {
            guarded(option.location, [&] {
                saveYesNoOption(*option.option, checked);
                if (option.value)
                    moduleOptions().*option.value = checked ? 1 : 0;
            });
        });
    }
}

void showOption(QCheckBox* box, int value)
{
    box->setChecked(value == 1);
}

} // namespace zephrix
