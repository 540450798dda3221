#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::server {

// Request tags (nine characters) and reply tags (five characters) of the schedule server.
inline constexpr QStringView kConecDisp = u"conecDisp";
inline constexpr QStringView kZameVDisp = u"zameVDisp";
inline constexpr QStringView kPubllDisp = u"publlDisp";
inline constexpr QStringView kPubdeDisp = u"pubdeDisp";
inline constexpr QStringView kZameDDisp = u"zameDDisp";

// Connection time-outs of the schedule-server link, in milliseconds, and the poll interval.
inline constexpr int kConnectTimeoutMs = 1000;
inline constexpr int kReadTimeoutMs = 1000;
inline constexpr int kPollIntervalMs = 200;
// How long a request waits for the reply that ends its exchange before the link gives up.
inline constexpr int kReplyDeadlineMs = 10000;

// Notes refresh handshake: "conecDisp" + login + ";" + password.
QString ConecRequest(const QString &login, const QString &password);
// Notes list request: "zameVDisp" + login + ";" + password + ";".
QString ZameVRequest(const QString &login, const QString &password);
// Publication: "publlDisp" + organisation + ";" + date + ";" + payload.
QString PublRequest(const QString &organisation, const QString &date, const QString &payload);
// Withdrawal: "pubdeDisp" + date.
QString PubdeRequest(const QString &date);
// Note deletion: "zameDDisp" + login + VT + password + VT + key (the key already ends in VT).
QString ZameDRequest(const QString &login, const QString &password, const QString &key);

// The organisation field of a publication: the text without any ";".
QString Organisation(const QString &text);

// The day as a publication carries it: class names each followed by "$", "||", then for
// every row up to the last non-empty one, subject "$" room "$" per class and "|".
QString DayPayload(const State &state);

// A request as it travels: restricted to the Windows-1251 repertoire ('?' for anything
// else), encoded as UTF-8 and ended by CR LF.
QByteArray RequestLine(const QString &request);

// What the poll tick must do with one reply, step by step, in order.
struct ReplyAction {
    enum Kind {
        ShowMessage,  // show `text` in the information overlay
        StoreConec,   // keep port_HTTP and the notes credentials (fields 2, 9 and 10)
        SendZameV,    // send the notes list request on the same connection
        RebuildNotes, // discard and rebuild the notes board
        ShowNoAccess, // show the no-access notice
        Disconnect,   // end the exchange
    };
    Kind kind;
    QString text;          // ShowMessage: the message
    QString portHttp;      // StoreConec: field 2
    QString notesUser;     // StoreConec: field 9
    QString notesPassword; // StoreConec: field 10

    bool operator==(const ReplyAction &) const = default;
};

// The notice of the reply "error".
QString NoAccessText();

// The notice when a publish, withdraw or delete request got no reply in time.
QString NoReplyText();

// Reads one reply as the poll tick received it. The checks run in order on the same text:
// "soobs" and "conec" shorten it and the later checks see the rest. An empty list means the
// reply matched nothing and the exchange stays open.
std::vector<ReplyAction> ParseReply(QString reply);

} // namespace rasp::server
