#pragma once
// The six totals fields under the product list: "Zwischens.", "Rabatt" (the reminder fee for
// reminders), "Zwischens.", "MWSt", "Skonto" and "&Endbetrag", read-only. A click into the
// final amount asks for a new computation.

#include <QWidget>

#include <array>

class QLineEdit;

namespace fakvo {

class TotalsFields : public QWidget
{
    Q_OBJECT
public:
    explicit TotalsFields(QWidget* parent = nullptr);

    void Show(const std::array<QString, 6>& texts);
    QString Text(int index) const;

signals:
    void finalAmountClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLineEdit*, 6> m_fields{};
};

} // namespace fakvo
