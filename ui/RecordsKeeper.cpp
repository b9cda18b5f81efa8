// RecordsKeeper.cpp: reading, looking up and storing best times.
#include "ui/RecordsKeeper.h"

#include "core/RunErrors.h"

TRecordsKeeper::TRecordsKeeper(TClock& clock, const TUserData& userData, std::function<void(const QString&)> report)
    : clock_(clock), userData_(userData), report_(std::move(report))
{
}

void TRecordsKeeper::Reload()
{
    fileName_ = RecordsFileName;
    try {
        list_.Load(fileName_);
    } catch (const EFileError& e) {
        report_(QString::fromStdString(e.what()));
    }
}

std::int32_t TRecordsKeeper::BestTime(const std::string& name)
{
    std::int32_t best = NoRecordSeconds;
    list_.FindRecord(QString::fromStdString(name), best, recordLine_);
    return best;
}

void TRecordsKeeper::StoreFewestSolve(const std::string& name)
{
    userData_.MarkFewestSolved(QString::fromStdString(name));
}

void TRecordsKeeper::StoreBestTime(const std::string& name, std::int32_t seconds)
{
    // Find the problem's line afresh: whatever happened to the list since the
    // problem was named, no other problem's line may be replaced.
    const QString qname = QString::fromStdString(name);
    std::int32_t recorded = 0;
    list_.FindRecord(qname, recorded, recordLine_);
    list_.StoreBestTime(recordLine_, qname, seconds, clock_.Today(), fileName_);
}
