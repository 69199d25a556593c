#pragma once
// The status line: "Status:" and the current message, whose colour alternates between two
// colours with every new text so that a repeated message is still seen to be new.

#include <QWidget>

class QLabel;

namespace fakvo {

class StatusLine : public QWidget
{
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void Show(const QString& text);
    QString Text() const;

private:
    QLabel* m_text = nullptr;
    bool m_second = false;
};

} // namespace fakvo
