#pragma once
// The option sheet's page "解析": the two switches for the optional thread rankings of the
// report.
#include <QWidget>

class QCheckBox;

namespace lorvanel {

class CDlgAnalyzeOptions : public QWidget {
    Q_OBJECT
public:
    CDlgAnalyzeOptions(int threadRanking, int monthThreadRanking, QWidget* parent = nullptr);

    int threadRanking() const;
    int monthThreadRanking() const;

    QCheckBox* threadRankingBox() const { return threadRanking_; }
    QCheckBox* monthThreadRankingBox() const { return monthThreadRanking_; }

private:
    QCheckBox* threadRanking_;
    QCheckBox* monthThreadRanking_;
};

} // namespace lorvanel
