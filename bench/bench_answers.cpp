// How the handling of one service answer grows with its size. For each kind of answer it times a small
// answer (the baseline) and one eight times larger, each against a fresh database, and prints the cost per
// entry of the large answer relative to the baseline: about 1 means linear, about 8 would mean quadratic.
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "service/RedireServer.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

QString soapAnswer(const QString& operation, const QString& payload) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
               "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><%1Response "
               "xmlns=\"http://redire.korvo.example/\"><%1Result>%2</%1Result></%1Response></soap:Body>"
               "</soap:Envelope>")
        .arg(operation, payload);
}

QString coupons(int count) {
    QString payload = QStringLiteral("<Coupons xmlns=\"\">");
    for (int i = 0; i < count; ++i)
        payload += QStringLiteral("<Coupon Id=\"%1\" TypeId=\"%2\" Text=\"Kupong %1\" Version=\"1\"/>")
                       .arg(i)
                       .arg(143 + i % 6);
    return payload + QStringLiteral("</Coupons>");
}

QString stores(int count) {
    QString payload = QStringLiteral("<Stores xmlns=\"\"><stores type=\"KRV\"/>");
    for (int i = 0; i < count; ++i)
        payload +=
            QStringLiteral("<store id=\"%1\" name=\"Butikk %1\" address=\"Gate %1\" telephone=\"22%1\" "
                           "wash=\"TRUE\" location=\"59.9,10.7\"/>")
                .arg(i);
    return payload + QStringLiteral("</Stores>");
}

QString ratings(int count) {
    QStringList objects;
    for (int i = 0; i < count; ++i)
        objects << QStringLiteral(
                       "{\"ShopId\":%1,\"ShopName\":\"Butikk %1\",\"AvRating\":4.1,\"Av2MonthRating\":3.9,"
                       "\"TotRatings\":10,\"Tot2MonthRatings\":4}")
                       .arg(i);
    return QLatin1Char('[') + objects.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString weeks(int count) {
    QStringList objects;
    for (int i = 0; i < count; ++i)
        objects << QStringLiteral("{\"WeekNr\":%1,\"AvgRating\":3.5,\"Count\":7}").arg(i);
    return QStringLiteral("{\"ShopId\":1,\"WeekRatings\":[%1]}").arg(objects.join(QLatin1Char(',')));
}

// Milliseconds to handle the answer once, against a fresh documents directory that already holds the
// stores of the answer (so that updates, not only inserts, are measured).
double timeAnswer(const std::function<void(RedireServer&)>& handle) {
    QTemporaryDir home;
    Paths::setDocumentsDirectory(home.path());
    Database::resetShared();
    UserDefaults::resetStandardUserDefaults();
    UserDefaults::standardUserDefaults().setObject(QStringLiteral("bench"), kUserIdKey);
    RedireServer::resetSharedServer();
    RedireServer& server = RedireServer::sharedServer();
    handle(server); // first answer fills the database
    QElapsedTimer timer;
    timer.start();
    handle(server);
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    RedireServer::resetSharedServer();
    Database::resetShared();
    UserDefaults::resetStandardUserDefaults();
    return elapsed;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    DebugLog::Capture quiet;
    const int baseline = 500;
    const int factor = 8;
    struct Kind {
        const char* name;
        std::function<QString(int)> answer;
        void (RedireServer::*parse)(const QString&);
    };
    const QList<Kind> kinds = {
        {"GetAllCoupons", [](int n) { return soapAnswer(QStringLiteral("GetAllCoupons"), coupons(n)); },
         &RedireServer::parseAllCoupons},
        {"GetOffers", [](int n) { return soapAnswer(QStringLiteral("GetOffers"), coupons(n)); },
         &RedireServer::parseOffers},
        {"GetStoreLocations",
         [](int n) { return soapAnswer(QStringLiteral("GetStoreLocations"), stores(n)); },
         &RedireServer::parseStoreLocations},
        {"Ratings", ratings, &RedireServer::parseRatings},
        {"StoreStats", weeks, &RedireServer::parseStoreStats},
    };
    std::printf("%-18s %10s %12s %12s %18s\n", "answer", "entries", "baseline ms", "large ms",
                "per-entry ratio");
    for (const Kind& kind : kinds) {
        const QString small = kind.answer(baseline);
        const QString large = kind.answer(baseline * factor);
        const double smallMs = timeAnswer([&](RedireServer& server) { (server.*kind.parse)(small); });
        const double largeMs = timeAnswer([&](RedireServer& server) { (server.*kind.parse)(large); });
        std::printf("%-18s %10d %12.2f %12.2f %18.2f\n", kind.name, baseline * factor, smallMs, largeMs,
                    (largeMs / factor) / smallMs);
    }
    return 0;
}
