#pragma once

#include "calendar/DateMath.h"
#include "core/Anniversary.h"
#include "core/Dataset.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

// The main window. It carries the working state; its methods read that state
// and hand plain values to the logic in calendar/, core/ and sheet/.
class Window1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Window1(QWidget* parent = nullptr);
    ~Window1() override;

    // Working state.
    std::unique_ptr<Dataset> pDataset;
    AnniversaryList pAnvsy;
    QString pFdata;  // the current dataset's file; empty for an untitled dataset
    QString pFroot;  // the datasets folder
    bool pChanged = false;
    bool pEnbl = false;
    bool pEnblLB = false;
    QString pLBname;
    std::array<int32_t, 8> pDOWline{};
    QList<int32_t> pWEEKline;
    std::array<int32_t, 4> pCanvas1W{};
    std::array<int32_t, 4> pCanvas1H{};

    // Calendar services that follow the current dataset's first weekday.
    WeekStart weekStart() const;
    int32_t GetWOD(int32_t year, int32_t month, int32_t day) const;
    void CountYYMM(int32_t& year, int32_t& month) const;
    int32_t DrawCal2sun() const;
    int32_t DrawCal2mon() const;
    int32_t DrawCal2tue() const;
    int32_t DrawCal2wed() const;
    bool DrawCal2holiday(int32_t year, int32_t month, int32_t day, int32_t equinoxDay, QString& name) const;

    // Dataset defaults.
    void InitDataset();
    void InitDataset2();
    void InitDataset3();
};
