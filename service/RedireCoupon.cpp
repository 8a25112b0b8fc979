#include "service/RedireCoupon.h"

#include "platform/DebugLog.h"
#include "platform/UserDefaults.h"
#include "storage/SettingsKeys.h"
#include "storage/StorageManager.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {

const QString kIdKey = QStringLiteral("Id");
const QString kTypeIdKey = QStringLiteral("TypeId");
const QString kAmountLeftKey = QStringLiteral("AmountLeft");
const QString kTextKey = QStringLiteral("Text");
const QString kSubTextKey = QStringLiteral("SubText");
const QString kUrlKey = QStringLiteral("Url");
const QString kVersionKey = QStringLiteral("Version");
const QString kExpiresKey = QStringLiteral("Expires");
const QString kUniverseKey = QStringLiteral("Universe");
const QString kRedeemedKey = QStringLiteral("redeemed");
const QString kImageKey = QStringLiteral("Image");
const QString kReflectionImageKey = QStringLiteral("ReflectionImage");

const QString kExpiryFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

constexpr QSizeF kReflectionSize(218, 304);
constexpr qreal kReflectionFadeLength = 45.6;

qreal screenScale() {
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? screen->devicePixelRatio() : 1.0;
}

} // namespace

RedireCoupon::RedireCoupon(const QVariantMap& coupon, QObject* parent)
    : QObject(parent)
    , m_coupon(coupon) {
    // The picture starts loading as soon as the event loop runs, not inside the constructor: lists are made
    // during start-up, and reading cached pictures there would hold up the first frame.
    QMetaObject::invokeMethod(this, [this] { image(); }, Qt::QueuedConnection);
}

RedireCoupon::~RedireCoupon() = default;

QString RedireCoupon::ID() const {
    return m_coupon.value(kIdKey).toString();
}

int RedireCoupon::type() const {
    return m_coupon.value(kTypeIdKey).toString().toInt();
}

int RedireCoupon::left() const {
    return m_coupon.value(kAmountLeftKey).toString().toInt();
}

QString RedireCoupon::backCoverText() const {
    return m_coupon.value(kTextKey).toString();
}

QString RedireCoupon::subText() const {
    return m_coupon.value(kSubTextKey).toString();
}

QString RedireCoupon::imageUrl() const {
    return m_coupon.value(kUrlKey).toString();
}

QDateTime RedireCoupon::expirationDate() const {
    if (m_expires.isValid() || !m_coupon.contains(kExpiresKey))
        return m_expires;
    m_expires = QDateTime::fromString(m_coupon.value(kExpiresKey).toString(), kExpiryFormat);
    return m_expires;
}

QString RedireCoupon::universeString() const {
    return m_coupon.value(kUniverseKey).toString();
}

bool RedireCoupon::redeemed() const {
    return m_coupon.value(kRedeemedKey).toString() == QStringLiteral("true");
}

QByteArray RedireCoupon::image() {
    forgetOutdatedPicture();
    if (m_coupon.contains(kImageKey))
        return m_coupon.value(kImageKey).toByteArray();

    const QString url = imageUrl();
    if (url.isEmpty())
        return {};
    StorageManager& cache = StorageManager::sharedStorageManager();
    if (cache.isImageExist(url)) {
        // An unreadable cache file is fetched again rather than kept as an empty picture.
        const QByteArray bytes = cache.getImageData(url);
        if (!bytes.isEmpty()) {
            m_coupon.insert(kImageKey, bytes);
            return bytes;
        }
    }
    startDownload(url);
    return {};
}

void RedireCoupon::forgetOutdatedPicture() {
    const int version = m_coupon.value(kVersionKey).toString().toInt();
    if (dictionaryWithSavedVersionForCurrentCoupon().isEmpty()) {
        saveVersionNumber(version, imageUrl());
        return;
    }
    if (savedVersionNumber() == version)
        return;
    const QString outdatedUrl = savedUrlOfImage();
    if (!outdatedUrl.isEmpty())
        StorageManager::sharedStorageManager().deleteImage(outdatedUrl);
    m_coupon.remove(kImageKey);
    m_coupon.remove(kReflectionImageKey);
    saveVersionNumber(version, imageUrl());
}

void RedireCoupon::startDownload(const QString& url) {
    m_connection.reset(); // a running download is cancelled and started afresh
    m_imageData.reset();
    m_statusCode = 0;
    UrlRequest request;
    request.url = QUrl(url);
    m_connection = std::make_unique<UrlConnection>(request, this);
}

QImage RedireCoupon::reflectionImage() const {
    const QVariant stored = m_coupon.value(kReflectionImageKey);
    if (stored.metaType() == QMetaType::fromType<QImage>())
        return stored.value<QImage>();
    const QImage picture = QImage::fromData(m_coupon.value(kImageKey).toByteArray());
    return generateReflectionImageForImage(picture);
}

bool RedireCoupon::isCanFlip() const {
    const QString text = backCoverText();
    if (text == QStringLiteral(" "))
        return true;
    return !QString(text).remove(u' ').isEmpty();
}

QImage RedireCoupon::generateReflectionImageForImage(const QImage& image, qreal verticalShift) {
    if (image.isNull())
        return {};
    const qreal scale = screenScale();
    const QRectF canvas(QPointF(0, 0), kReflectionSize);
    QImage reflection((kReflectionSize * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    reflection.setDevicePixelRatio(scale);
    reflection.fill(Qt::transparent);

    QPainter painter(&reflection);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.save();
    painter.translate(0, kReflectionSize.height());
    painter.scale(1, -1);
    painter.drawImage(canvas.translated(0, verticalShift), image);
    painter.restore();

    QLinearGradient fade(0, 0, 0, kReflectionFadeLength);
    fade.setColorAt(0, Qt::black);
    fade.setColorAt(1, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.fillRect(canvas, fade);
    return reflection;
}

QString RedireCoupon::versionKey() const {
    return QStringLiteral("%1_%2").arg(type()).arg(ID());
}

QVariantMap RedireCoupon::dictionaryWithSavedVersionForCurrentCoupon() const {
    return UserDefaults::standardUserDefaults()
        .dictionaryForKey(kVersionDictionaryKey)
        .value(versionKey())
        .toMap();
}

int RedireCoupon::savedVersionNumber() const {
    return dictionaryWithSavedVersionForCurrentCoupon().value(kVersionNumberKey).toInt();
}

QString RedireCoupon::savedUrlOfImage() const {
    return dictionaryWithSavedVersionForCurrentCoupon().value(kImageUrlKey).toString();
}

void RedireCoupon::saveVersionNumber(int version, const QString& urlString) {
    if (urlString.isEmpty())
        return;
    UserDefaults& settings = UserDefaults::standardUserDefaults();
    QVariantMap versions = settings.dictionaryForKey(kVersionDictionaryKey);
    versions.insert(versionKey(), QVariantMap{{kVersionNumberKey, version}, {kImageUrlKey, urlString}});
    settings.setObject(versions, kVersionDictionaryKey);
    settings.synchronize();
}

void RedireCoupon::connectionDidReceiveResponse(UrlConnection*, const UrlResponse& response) {
    m_statusCode = response.statusCode;
    m_imageData = QByteArray();
}

void RedireCoupon::connectionDidReceiveData(UrlConnection*, const QByteArray& data) {
    if (m_imageData)
        m_imageData->append(data);
}

void RedireCoupon::connectionDidFailWithError(UrlConnection*, const Error& error) {
    DebugLog::write(QStringLiteral("Picture download failed: %1 (%2)").arg(imageUrl(), error.description));
    m_imageData.reset();
    m_connection.reset();
}

void RedireCoupon::connectionDidFinishLoading(UrlConnection*) {
    const std::optional<QByteArray> bytes = std::exchange(m_imageData, std::nullopt);
    m_connection.reset();
    if (!bytes)
        return;
    // An error page or a broken body must not become the coupon's picture, nor be cached as one.
    const bool answered = m_statusCode >= 200 && m_statusCode < 300;
    const QImage picture = answered ? QImage::fromData(*bytes) : QImage();
    if (picture.isNull()) {
        DebugLog::write(QStringLiteral("Picture download failed: %1 (status %2, %3 bytes, not a picture)")
                            .arg(imageUrl())
                            .arg(m_statusCode)
                            .arg(bytes->size()));
        return;
    }
    if (m_coupon.contains(kImageKey) && m_coupon.value(kImageKey).toByteArray() == *bytes)
        return;
    m_coupon.insert(kImageKey, *bytes);
    StorageManager::sharedStorageManager().saveImage(*bytes, imageUrl());
    if (m_delegate)
        m_delegate->imageLoaded(picture);
}
