#include "app/controls/window_design.h"

#include "steps/choices.h"

#include <array>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

using K = ControlKind;
using S = StepKind;
using F = PanelField;
namespace c = choices;

// clang-format off
constexpr std::array<DesignControl, 72> Controls{{
    {"cmbMode"_L1, K::ModeList, "Script flow"_L1, 480, 240, 2175, 450, S::None, {}, &c::flowModes},

    {"frmIN"_L1, K::Panel, {}, 480, 840, 6855, 1455, S::Input},
    {"lblIN"_L1, K::Title, "Input"_L1, 120, 480, 1095, 375, S::Input},
    {"lblINPort"_L1, K::Caption, "Digital I/O Port"_L1, 1320, 240, 0, 0, S::Input},
    {"cmbINIO"_L1, K::ChoiceList, {}, 1320, 480, 1335, 390, S::Input, F::Choice, &c::inputPorts},
    {"lblINLevel"_L1, K::Caption, "ON/OFF"_L1, 2880, 240, 0, 0, S::Input},
    {"cmbINLevel"_L1, K::ChoiceList, {}, 2760, 480, 1095, 390, S::Input, F::Level, &c::levels},
    {"lblINComm"_L1, K::Caption, "Comment"_L1, 3960, 240, 0, 0, S::Input},
    {"txtINComm"_L1, K::TextBox, {}, 3960, 480, 2775, 375, S::Input, F::Comment},
    {"lblTout"_L1, K::Caption, "Timeout (ms)"_L1, 1320, 1000, 0, 0, S::Input},
    {"txtTout"_L1, K::TextBox, {}, 2760, 960, 1095, 375, S::Input, F::Value},

    {"frmOut"_L1, K::Panel, {}, 480, 2400, 6855, 975, S::Output},
    {"lblOut"_L1, K::Title, "Output"_L1, 120, 480, 1095, 375, S::Output},
    {"lblOutPort"_L1, K::Caption, "Digital I/O Port"_L1, 1320, 240, 0, 0, S::Output},
    {"cmbOutIO"_L1, K::ChoiceList, {}, 1320, 480, 1335, 390, S::Output, F::Choice, &c::outputPorts},
    {"lblOutLevel"_L1, K::Caption, "ON/OFF"_L1, 2880, 240, 0, 0, S::Output},
    {"cmbOutLevel"_L1, K::ChoiceList, {}, 2760, 480, 1095, 390, S::Output, F::Level, &c::levels},
    {"lblOutComm"_L1, K::Caption, "Comment"_L1, 3960, 240, 0, 0, S::Output},
    {"txtOutComm"_L1, K::TextBox, {}, 3960, 480, 2775, 375, S::Output, F::Comment},

    {"frmWait"_L1, K::Panel, {}, 480, 3480, 6855, 975, S::Wait},
    {"lblWait"_L1, K::Title, "Wait"_L1, 120, 480, 1095, 375, S::Wait},
    {"lblWaitTime"_L1, K::Caption, "Time (msec)"_L1, 1320, 240, 0, 0, S::Wait},
    {"txtWait"_L1, K::TextBox, {}, 1320, 480, 1335, 375, S::Wait, F::Value},
    {"lblWaitComm"_L1, K::Caption, "Comment"_L1, 3960, 240, 0, 0, S::Wait},
    {"txtWaitComm"_L1, K::TextBox, {}, 3960, 480, 2775, 375, S::Wait, F::Comment},

    {"frmDF"_L1, K::Panel, {}, 480, 4560, 6855, 975, S::DeviceFunction},
    {"lblDF"_L1, K::Title, "Device Function"_L1, 120, 480, 1815, 375, S::DeviceFunction},
    {"cmbDev"_L1, K::ChoiceList, {}, 2040, 480, 2175, 390, S::DeviceFunction, F::Choice,
     &c::deviceFunctions},
    {"lblDevComm"_L1, K::Caption, "Comment"_L1, 4320, 240, 0, 0, S::DeviceFunction},
    {"txtDevComm"_L1, K::TextBox, {}, 4320, 480, 2415, 375, S::DeviceFunction, F::Comment},

    {"frmSelect"_L1, K::Panel, {}, 480, 5640, 6855, 975, S::SelectModule},
    {"lblYIM"_L1, K::Title, "Select Module"_L1, 120, 480, 1815, 375, S::SelectModule},
    {"lblYIMName"_L1, K::Caption, "Module Name"_L1, 2040, 240, 0, 0, S::SelectModule},
    {"txtYIM"_L1, K::TextBox, {}, 2040, 480, 2175, 375, S::SelectModule, F::Value},
    {"lblYIMComm"_L1, K::Caption, "Comment"_L1, 4320, 240, 0, 0, S::SelectModule},
    {"txtYIMComm"_L1, K::TextBox, {}, 4320, 480, 2415, 375, S::SelectModule, F::Comment},

    {"frmLoad"_L1, K::Panel, {}, 480, 6720, 6855, 975, S::LoadFile},
    {"lblLoad"_L1, K::Title, "  Load File  (DOS to Buffer)"_L1, 120, 240, 1815, 615, S::LoadFile},
    {"lblLoadName"_L1, K::Caption, "File Name (DOS Area)"_L1, 2040, 240, 0, 0, S::LoadFile},
    {"txtLoad"_L1, K::TextBox, {}, 2040, 480, 2175, 375, S::LoadFile, F::Value},
    {"lblLoadComm"_L1, K::Caption, "Comment"_L1, 4320, 240, 0, 0, S::LoadFile},
    {"txtLoadComm"_L1, K::TextBox, {}, 4320, 480, 2415, 375, S::LoadFile, F::Comment},

    {"frmF2"_L1, K::Panel, {}, 480, 7800, 6855, 975, S::BufferClear},
    {"lblF2"_L1, K::Title, "Buffer Clear"_L1, 120, 480, 1815, 375, S::BufferClear},
    {"lblF2Comm"_L1, K::Caption, "Comment"_L1, 3960, 240, 0, 0, S::BufferClear},
    {"txtF2Comm"_L1, K::TextBox, {}, 3960, 480, 2775, 375, S::BufferClear, F::Comment},

    {"frmProbe"_L1, K::Panel, {}, 480, 8880, 6855, 975, S::ProbeSelect},
    {"lblProbe"_L1, K::Title, "Probe Select"_L1, 120, 480, 1815, 375, S::ProbeSelect},
    {"cmbProbe"_L1, K::ChoiceList, {}, 2040, 480, 1785, 390, S::ProbeSelect, F::Choice, &c::probes},
    {"lblProbeComm"_L1, K::Caption, "Comment"_L1, 3960, 240, 0, 0, S::ProbeSelect},
    {"txtProbeComm"_L1, K::TextBox, {}, 3960, 480, 2775, 375, S::ProbeSelect, F::Comment},

    {"lblINSet"_L1, K::SetCaption, "Set"_L1, 7560, 1320, 0, 0, S::Input},
    {"cmdIN"_L1, K::SetButton, {}, 7440, 1560, 495, 495, S::Input},
    {"lblOutSet"_L1, K::SetCaption, "Set"_L1, 7560, 2520, 0, 0, S::Output},
    {"cmdOut"_L1, K::SetButton, {}, 7440, 2760, 495, 495, S::Output},
    {"lblWaitSet"_L1, K::SetCaption, "Set"_L1, 7560, 3600, 0, 0, S::Wait},
    {"cmdwait"_L1, K::SetButton, {}, 7440, 3840, 495, 495, S::Wait},
    {"lblDFSet"_L1, K::SetCaption, "Set"_L1, 7560, 4680, 0, 0, S::DeviceFunction},
    {"cmdDev"_L1, K::SetButton, {}, 7440, 4920, 495, 495, S::DeviceFunction},
    {"lblYIMSet"_L1, K::SetCaption, "Set"_L1, 7560, 5760, 0, 0, S::SelectModule},
    {"cmdYIM"_L1, K::SetButton, {}, 7440, 6000, 495, 495, S::SelectModule},
    {"lblLoadSet"_L1, K::SetCaption, "Set"_L1, 7560, 6840, 0, 0, S::LoadFile},
    {"cmdLoad"_L1, K::SetButton, {}, 7440, 7080, 495, 495, S::LoadFile},
    {"lblF2Set"_L1, K::SetCaption, "Set"_L1, 7560, 7920, 0, 0, S::BufferClear},
    {"cmdF2"_L1, K::SetButton, {}, 7440, 8160, 495, 495, S::BufferClear},
    {"lblProbeSet"_L1, K::SetCaption, "Set"_L1, 7560, 9000, 0, 0, S::ProbeSelect},
    {"cmdProbe"_L1, K::SetButton, {}, 7440, 9240, 495, 495, S::ProbeSelect},

    {"lblFlow"_L1, K::FlowHeading, "Normal mode script flow"_L1, 8160, 480, 0, 0},
    {"lstScript"_L1, K::FlowList, {}, 8160, 960, 5535, 8700},
    {"cmdUP"_L1, K::ListButton, "UP"_L1, 8280, 9930, 1335, 735},
    {"cmdDown"_L1, K::ListButton, "Down"_L1, 10200, 9930, 1335, 735},
    {"cmdDelete"_L1, K::ListButton, "Delete"_L1, 12120, 9930, 1335, 735},
}};
// clang-format on

} // namespace

std::span<const DesignControl> designControls()
{
    return Controls;
}

QString panelTitle(StepKind panel)
{
    for (const DesignControl& control : Controls) {
        if (control.kind == K::Title && control.panel == panel)
            return QString(control.caption).simplified();
    }
    return {};
}

QString setStepName(StepKind panel)
{
    return u"Set %1 step"_s.arg(panelTitle(panel));
}

QString spokenName(std::size_t row)
{
    const DesignControl& control = Controls.at(row);
    switch (control.kind) {
    case K::ModeList:
    case K::ListButton:
        return QString(control.caption);
    case K::SetButton:
        return setStepName(control.panel);
    case K::ChoiceList:
    case K::TextBox: {
        // A field's caption stands in the row before it; a list without one is named by its
        // panel alone.
        const DesignControl& before = Controls.at(row - 1);
        if (before.kind != K::Caption)
            return panelTitle(control.panel);
        return panelTitle(control.panel) + u": "_s + before.caption;
    }
    default:
        return {};
    }
}

bool isInsidePanel(ControlKind kind)
{
    return kind == K::Title || kind == K::Caption || kind == K::ChoiceList || kind == K::TextBox;
}

bool sizesItself(ControlKind kind)
{
    return kind == K::Caption || kind == K::SetCaption || kind == K::FlowHeading;
}

double designFontSize(ControlKind kind)
{
    switch (kind) {
    case K::ModeList:
        return 14.25;
    case K::Caption:
    case K::SetCaption:
        return 9.75;
    case K::Panel:
    case K::SetButton:
        return 8.25;
    default:
        return 12;
    }
}

int layoutFontBase(ControlKind kind)
{
    switch (kind) {
    case K::ModeList:
        return 14;
    case K::Caption:
    case K::SetCaption:
        return 10;
    case K::Panel:
    case K::SetButton:
        return 0;
    default:
        return 12;
    }
}

} // namespace sw
