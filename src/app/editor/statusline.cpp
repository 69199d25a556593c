#include "app/editor/statusline.h"

#include <QHBoxLayout>
#include <QLabel>

namespace fakvo {
namespace {

const QColor kFirstColour(0, 0, 128);
const QColor kSecondColour(128, 0, 0);

} // namespace

StatusLine::StatusLine(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    auto* caption = new QLabel(QStringLiteral("Status:"), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption, 0, Qt::AlignTop);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("statusText"));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setWordWrap(true);
    layout->addWidget(m_text, 1);
}

void StatusLine::Show(const QString& text)
{
    m_second = !m_second;
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::WindowText, m_second ? kSecondColour : kFirstColour);
    m_text->setPalette(palette);
    m_text->setText(text);
}

QString StatusLine::Text() const
{
    return m_text->text();
}

} // namespace fakvo
