#include "storage/ui/productcontrol.h"

#include "storage/worksettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace fakvo {

CProduktStrg::CProduktStrg(WorkSettings* settings, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Erweiterte Produkteingabesteuerung"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &CProduktStrg::Fire);

    m_buttons.resize(12);
    const auto push = [this](ProductAction action, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        m_buttons[static_cast<int>(action)] = button;
        connect(button, &QPushButton::clicked, this, [this, action] { Press(action); });
        return button;
    };
    const auto arrow = [this](ProductAction action, Qt::ArrowType type) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        m_buttons[static_cast<int>(action)] = button;
        connect(button, &QToolButton::clicked, this, [this, action] { Press(action); });
        return button;
    };

    auto* layout = new QGridLayout(this);
    layout->addWidget(push(ProductAction::Close, QStringLiteral("Zurück (ESC)")), 0, 0, 1, 3);
    layout->addWidget(push(ProductAction::MoreFunctions, QStringLiteral("Weitere Funktionen...")),
                      1, 0, 1, 3);
    layout->addWidget(push(ProductAction::EditProduct, QStringLiteral("Bearbeite Produkt")), 2, 0,
                      1, 3);
    layout->addWidget(push(ProductAction::SaveProduct, QStringLiteral("Speichere Produkt")), 3, 0,
                      1, 3);
    layout->addWidget(push(ProductAction::LastNumber, QStringLiteral("Zeige letzte ProdNr.")), 4, 0,
                      1, 3);
    layout->addWidget(push(ProductAction::Search, QStringLiteral("Suche (F3)")), 5, 0, 1, 3);

    layout->addWidget(new QLabel(QStringLiteral("positionieren"), this), 6, 0, 1, 3,
                      Qt::AlignHCenter);
    layout->addWidget(arrow(ProductAction::MoveUp, Qt::UpArrow), 7, 1);
    layout->addWidget(arrow(ProductAction::MoveLeft, Qt::LeftArrow), 8, 0);
    layout->addWidget(arrow(ProductAction::MoveRight, Qt::RightArrow), 8, 2);
    layout->addWidget(arrow(ProductAction::MoveDown, Qt::DownArrow), 9, 1);
    layout->addWidget(new QLabel(QStringLiteral("mit Klick od."), this), 10, 0, 1, 3,
                      Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("ALT-Cursor"), this), 11, 0, 1, 3,
                      Qt::AlignHCenter);

    layout->addWidget(push(ProductAction::ShowAll, QStringLiteral("Zeige alle (STRG-F3)")), 12, 0,
                      1, 3);
    layout->addWidget(push(ProductAction::DeleteLine, QStringLiteral("Lösche akt. Zeile (ALT-Z)")),
                      13, 0, 1, 3);

    auto* hide = new QCheckBox(QStringLiteral("Nicht mehr anzeigen"), this);
    m_hideBox = hide;
    connect(hide, &QCheckBox::toggled, this, &CProduktStrg::HideForGood);
    layout->addWidget(hide, 14, 0, 1, 3);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Press(ProductAction::Close); });
}

QAbstractButton* CProduktStrg::Button(ProductAction action) const
{
    return m_buttons.value(static_cast<int>(action));
}

void CProduktStrg::Press(ProductAction action)
{
    m_pending = action;
    const int code = static_cast<int>(action);
    const bool arrow = code >= static_cast<int>(ProductAction::MoveLeft) &&
                       code <= static_cast<int>(ProductAction::MoveDown);
    m_pendingRow = arrow && m_currentRow ? m_currentRow() : -1;
    m_timer.start();
}

void CProduktStrg::Fire()
{
    m_timer.stop();
    if (m_pending == ProductAction::Close)
        hide();
    emit actionRequested(static_cast<int>(m_pending), m_pendingRow);
    // Last: the owner's handler may close or delete this window.
    if (m_handler)
        m_handler(m_pending, m_pendingRow);
}

void CProduktStrg::HideForGood(bool checked)
{
    if (!checked)
        return;
    hide();
    if (m_settings)
        m_settings->WriteSetting(WorkSetting::ProductWindowHidden, QStringLiteral("1"));
}

} // namespace fakvo
