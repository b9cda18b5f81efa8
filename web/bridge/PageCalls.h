// PageCalls.h: the page's JavaScript functions the game's bridge calls (web/bridge/page-calls.js).
#pragma once

#include <cstdint>

extern "C" {
double vandrel_page_now();
// `has` 0: no tick is needed.
void vandrel_page_want_tick(int has, double due);
// The picture as a list of drawing commands (PictureList.h).
void vandrel_page_draw(const std::int32_t* commands, int count);
// The status as JSON text (StatusJson.h).
void vandrel_page_status(const char* json);
// A modal message by its GameMessage; the page holds the game until it is closed.
void vandrel_page_message(int message);
// A run-time error's words, shown as a message.
void vandrel_page_report(const char* text);
void vandrel_page_reload_records();
std::int32_t vandrel_page_best_time(const char* name);
void vandrel_page_store_best_time(const char* name, std::int32_t seconds);
}
