// page-calls.js: the page's side of the calls the game makes, handed on to the front end the page gave the module.
mergeInto(LibraryManager.library, {
  vandrel_page_now: function () {
    return Module.page.now();
  },
  vandrel_page_want_tick: function (has, due) {
    Module.page.wantTick(has ? due : null);
  },
  vandrel_page_draw: function (commands, count) {
    Module.page.draw(HEAP32.slice(commands >> 2, (commands >> 2) + count));
  },
  vandrel_page_status: function (json) {
    Module.page.showStatus(JSON.parse(UTF8ToString(json)));
  },
  vandrel_page_message: function (message) {
    Module.page.showMessage(message);
  },
  vandrel_page_report: function (text) {
    Module.page.report(UTF8ToString(text));
  },
  vandrel_page_reload_records: function () {
    Module.page.records.reload();
  },
  vandrel_page_best_time: function (name) {
    return Module.page.records.bestTime(UTF8ToString(name));
  },
  vandrel_page_store_best_time: function (name, seconds) {
    Module.page.records.storeBestTime(UTF8ToString(name), seconds);
  },
});
