#pragma once
// What the radio module and the CAT command writer need of the remote control link.  The
// server module and the client module implement these; the program's start-up hands them to
// the radio module.

#include <QString>

// The remote control server.
class TRemoteServerLink {
public:
    virtual ~TRemoteServerLink() = default;
    // Writes Msg as one line to every open connection (that are allowed to receive it).
    virtual void ServerBroadcastMessage(const QString& Msg) = 0;
};

// The client side of the remote control link.
class TRemoteClientLink {
public:
    virtual ~TRemoteClientLink() = default;
    // Sends Command as one line to the server; nothing when the link is not up.
    virtual void Send(const QString& Command) = 0;
};
