#pragma once

#include <QWidget>

// A row of dots, one per page, the current one lit. A tap left or right of the current dot turns one page
// back or forward and emits valueChanged.
class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    int numberOfPages() const { return m_numberOfPages; }
    void setNumberOfPages(int pages);
    // Kept inside the pages (0 without any).
    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int page);

signals:
    void valueChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_numberOfPages = 0;
    int m_currentPage = 0;
};
