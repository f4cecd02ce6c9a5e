#pragma once
// What the start and stop of the data modules needs of the FlexControl tuning knob module:
// its settings and the opening and closing of the knob.  The module implements it; the
// program's start-up hands it to the start-and-stop module.

class TFlexControlModuleLink {
public:
    virtual ~TFlexControlModuleLink() = default;
    // The section "Client\FlexControl" of the settings store.
    virtual void IniRead() = 0;
    virtual void IniWrite() = 0;
    // Opens the knob when its port has a name and its use is enabled.
    virtual void Open() = 0;
    virtual void Close() = 0;
};
