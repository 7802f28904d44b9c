#include "app/Resources.h"

namespace {

const StringResource kStrings[] = {
    {kStringTitle, L"TarnGameFrame"},
    {kStringClassName, L"TARNGAMEFRAME"},
};

// Ctrl+A and Ctrl+Q: the shell receives their commands and does nothing with them.
const ACCEL kAccels[] = {
    {FVIRTKEY | FNOINVERT | FCONTROL, 0x41, kCommandCtrlA},
    {FVIRTKEY | FNOINVERT | FCONTROL | FACCEL_LAST, 0x51, kCommandCtrlQ},
};

const AcceleratorResource kAcceleratorTables[] = {
    {kAcceleratorTable, {kAccels, 2}},
};

const ResourceTable kResources = {kStrings, 2, kAcceleratorTables, 1};

}  // namespace

const ResourceTable& AppResources() {
    return kResources;
}
