#pragma once

#include <QMargins>
#include <QPixmap>
#include <QWidget>

// Shows a picture scaled to the view. With cap insets the picture is stretchable: the caps keep their size
// and only the middle is stretched (tiled when asked). Its alpha can be animated ("alpha" property).
class ImageView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal alpha READ alpha WRITE setAlpha)
    // Layouts name their pictures; the picture comes from the app's resources (imageNamed).
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
public:
    enum class ResizingMode { Stretch, Tile };

    explicit ImageView(QWidget* parent = nullptr);

    QPixmap image() const { return m_image; }
    void setImage(const QPixmap& image);
    QString imageName() const { return m_imageName; }
    void setImageName(const QString& name);
    QMargins capInsets() const { return m_capInsets; }
    void setCapInsets(const QMargins& insets, ResizingMode mode = ResizingMode::Stretch);
    qreal alpha() const { return m_alpha; }
    void setAlpha(qreal alpha);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_image;
    QString m_imageName;
    QMargins m_capInsets;
    ResizingMode m_resizingMode = ResizingMode::Stretch;
    qreal m_alpha = 1;
};

// A picture of the application's resources by its file name ("BadgeIcon.png"); a null pixmap when there
// is none. The app's pictures are drawn at two pixels per point; "Default.png" has a "Default@2x.png" that
// is found first.
QPixmap imageNamed(const QString& name);
