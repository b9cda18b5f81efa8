// RecordsKeeper.h: the game's best times kept in the records file of the current folder, and its marks of problems solved in the fewest moves.
#pragma once

#include <functional>

#include <QString>

#include "files/Records.h"
#include "game/FrontEnd.h"
#include "ui/Platform.h"
#include "ui/UserData.h"

// The records list and its file. A file that cannot be read or written is
// reported through `report`; the game plays on, its best times just not kept.
class TRecordsKeeper final : public GameRecords {
public:
    TRecordsKeeper(TClock& clock, const TUserData& userData, std::function<void(const QString&)> report);

    const TRecordsList& List() const { return list_; }
    std::uint16_t RecordLine() const { return recordLine_; }

    void Reload() override;
    std::int32_t BestTime(const std::string& name) override;
    void StoreBestTime(const std::string& name, std::int32_t seconds) override;
    void StoreFewestSolve(const std::string& name) override;

private:
    TClock& clock_;
    const TUserData& userData_;
    std::function<void(const QString&)> report_;
    TRecordsList list_;
    QString fileName_ = RecordsFileName;
    std::uint16_t recordLine_ = 0;
};
