// WebFrontEnd.cpp: the game's calls handed to the page, the picture and status put into the page's terms.
#include "web/bridge/WebFrontEnd.h"

#include "web/bridge/PageCalls.h"
#include "web/bridge/PictureList.h"
#include "web/bridge/StatusJson.h"

double TWebFrontEnd::Now()
{
    return vandrel_page_now();
}

void TWebFrontEnd::WantTick(std::optional<double> due)
{
    vandrel_page_want_tick(due.has_value(), due.value_or(0));
}

void TWebFrontEnd::Draw(const Picture& picture)
{
    const std::vector<std::int32_t> commands = PictureCommands(picture);
    vandrel_page_draw(commands.data(), static_cast<int>(commands.size()));
}

void TWebFrontEnd::ShowStatus(const GameStatus& status)
{
    vandrel_page_status(StatusJson(status).c_str());
}

void TWebFrontEnd::ShowMessage(GameMessage message)
{
    vandrel_page_message(static_cast<int>(message));
}

bool TWebFrontEnd::Ask(GameQuestion question)
{
    if (answer_) {
        const bool yes = *answer_;
        answer_.reset();
        return yes;
    }
    asked_ = question;
    return false;
}

std::optional<GameQuestion> TWebFrontEnd::TakeQuestion()
{
    const std::optional<GameQuestion> asked = asked_;
    asked_.reset();
    // An answer given for a call that asked nothing this time is not kept for a later one.
    answer_.reset();
    return asked;
}

void TWebFrontEnd::Reload()
{
    vandrel_page_reload_records();
}

std::int32_t TWebFrontEnd::BestTime(const std::string& name)
{
    return vandrel_page_best_time(name.c_str());
}

void TWebFrontEnd::StoreBestTime(const std::string& name, std::int32_t seconds)
{
    vandrel_page_store_best_time(name.c_str(), seconds);
}
