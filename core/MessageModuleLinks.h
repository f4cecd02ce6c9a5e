#pragma once
// What the start and stop of the data modules needs of the message module and the voice
// keyer module: their settings, the opening of the voice keyer and its microHAM router
// interface.  Those modules implement these; the program's start-up hands them to the
// start-and-stop module.

class TMicroHamInterface;

// The message module ("Client\Messages\CW", "Client\Messages\FSK").
class TMessagesModuleLink {
public:
    virtual ~TMessagesModuleLink() = default;
    virtual void IniRead() = 0;
    virtual void IniWrite() = 0;
};

// The voice keyer module ("Client\DVK").
class TDVKModuleLink {
public:
    virtual ~TDVKModuleLink() = default;
    virtual void IniRead() = 0;
    virtual void IniWrite() = 0;
    // Opens the router interface when the messages panel is in use.
    virtual void Open() = 0;
    // The router interface the module owns (null while it has none).
    virtual TMicroHamInterface* MicroHamInterface() = 0;
};
