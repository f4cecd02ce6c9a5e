#pragma once
// The local message bus: how programs of one user on this computer post messages to each
// other (the RTTY engine link, the IPC server for other programs, the server program's
// single-instance signal).  Every receiver owns an endpoint: a local socket in the bus folder
// ($XDG_RUNTIME_DIR/vornix-bus) named by its 64-bit id.  A message carries a registered name
// (seen by programs as a number that is the same in every process of the user), two 64-bit
// parameters and optional bytes; it goes to one endpoint or to all (Broadcast).
//
// Posting never waits: a message is queued to the receiver's connection and written by the
// event loop.  A receiver that lets more than QueueLimit bytes pile up is dropped.  Messages
// are delivered on the endpoint's thread, from its event loop, in the order they were posted
// by one sender.  The frame layout is in MessageBus.md beside this file.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace vx {

// Post target meaning "every endpoint of the bus but the sender".
constexpr quint64 BusBroadcast = 0xFFFF;
// Numbers of registered names.
constexpr uint32_t BusFirstMessage = 0xC000;
constexpr uint32_t BusLastMessage = 0xFFFF;
constexpr int BusMaxNameLength = 255;
// A frame is at most this long, so one always fits a receiver's queue.
constexpr int BusMaxFrame = 64 * 1024;
// Bytes that may wait for one receiver before it is dropped.
constexpr qint64 BusQueueLimit = 64 * 1024;

// The folder of the endpoints and of the name table: $XDG_RUNTIME_DIR/vornix-bus.
QString BusFolder();
// The number of a message name, the same in every process of the user (the first process
// that registers a name gives it the next free number).  0 for a name that is empty, longer
// than BusMaxNameLength, not printable 7-bit ASCII, or when the table cannot be used.
uint32_t RegisterBusMessage(const QString& name);
// The number of a name registered before; 0 when none has been.
uint32_t FindBusMessage(const QString& name);
// The name of a registered number; empty when the number is not registered.
QString BusMessageName(uint32_t number);

struct BusMessage {
    quint64 Sender = 0;   // endpoint id of the sender
    quint64 Target = 0;   // the receiving endpoint's id, or BusBroadcast
    uint32_t Msg = 0;     // number of the registered name
    QString Name;
    quint64 WParam = 0;
    qint64 LParam = 0;
    QByteArray Data;
};

using BusMessageHandler = std::function<void(const BusMessage& message)>;
using BusPeerHandler = std::function<void(quint64 peer)>;

class BusEndpoint : public QObject {
    Q_OBJECT
public:
    explicit BusEndpoint(QObject* parent = nullptr);
    ~BusEndpoint() override;
    BusEndpoint(const BusEndpoint&) = delete;
    BusEndpoint& operator=(const BusEndpoint&) = delete;

    // Starts receiving under `id`, or under a fresh id when 0.  False (see ErrorString) when
    // the id is in use by a live endpoint or the bus folder cannot be used.  A socket left
    // behind by an endpoint that is gone is taken over.
    bool Open(quint64 id = 0);
    // Stops receiving and drops every connection; peers are not reported gone.  Messages
    // already posted are written first as far as each receiver takes them without waiting.
    void Close();
    bool IsOpen() const;
    quint64 Id() const { return FId; }
    QString ErrorString() const { return FError; }

    // Queues a message for `target` (an endpoint id or BusBroadcast).  Never waits.  False
    // when it cannot be queued: the endpoint is closed, the number is not registered, the
    // frame is too long, no endpoint has that id, or the receiver's queue is full (the
    // receiver is then dropped and reported gone).  A broadcast is true when it was queued
    // for at least one endpoint.
    bool Post(quint64 target, uint32_t msg, quint64 wParam, qint64 lParam, const QByteArray& data = {});

    // Messages of one registered number go to their own handler, as a window hands one
    // message to the component that registered it; its peer handler hears of every peer that
    // goes away.  Other messages go to OnMessage.
    void Route(uint32_t msg, BusMessageHandler onMessage, BusPeerHandler onPeerGone = {});
    BusMessageHandler OnMessage;
    // A peer this endpoint was connected to (either way) is gone: it closed, its process
    // ended, it sent a malformed frame or it was dropped for not reading.
    BusPeerHandler OnPeerGone;

    // Endpoints with a connection to or from this one, for tests and diagnostics.
    int ConnectionCount() const;

    // The socket file of an endpoint id.
    static QString SocketPath(quint64 id);

private:
    struct Outgoing;
    struct Incoming;

    bool Listen(quint64 id);
    bool QueueFrame(quint64 target, const QByteArray& frame);
    void DoNewConnection();
    void DoReadyRead(Incoming* in);
    void DropOutgoing(quint64 target, bool report);
    void DropIncoming(Incoming* in, bool report);
    void ReportGone(quint64 peer);
    void Deliver(const BusMessage& message);

    QLocalServer* FServer = nullptr;
    quint64 FId = 0;
    QString FError;
    QHash<quint64, Outgoing*> FOutgoing;
    QList<Incoming*> FIncoming;
    struct Route_ {
        BusMessageHandler OnMessage;
        BusPeerHandler OnPeerGone;
    };
    QHash<uint32_t, Route_> FRoutes;
};

} // namespace vx
