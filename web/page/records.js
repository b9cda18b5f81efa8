// records.js: best times by problem name, kept in the browser's local storage.

const Key = 'vandrel.records';
const NoRecord = 3600000;

// One entry a problem: { seconds, date }. Storage that cannot be read or
// written (a private window, a full quota, storage turned off) keeps the
// times for this visit only. The storage is first asked when a time is: the
// sample keeps none, and opening it costs the first picture a round trip to
// the browser.
export class Records {
  // `storage()` gives the page's storage; it may throw.
  constructor(storage) {
    this.storage = storage;
    this.list = null;   // read again from storage when next needed
  }

  reload() {
    this.list = null;
  }

  // The list has no prototype, so that any problem name, "__proto__" too, is
  // a name like the others. Storage changed by hand that is no such list
  // counts as no times at all.
  kept() {
    if (this.list === null) {
      this.list = Object.create(null);
      try {
        const read = JSON.parse(this.storage().getItem(Key) ?? '{}');
        if (read && typeof read === 'object' && !Array.isArray(read)) Object.assign(this.list, read);
      } catch {
        // none kept
      }
    }
    return this.list;
  }

  // A time that no play could have made is no record.
  bestTime(name) {
    const seconds = this.kept()[name]?.seconds;
    return Number.isInteger(seconds) && seconds >= 0 && seconds <= NoRecord ? seconds : NoRecord;
  }

  storeBestTime(name, seconds) {
    const list = this.kept();
    list[name] = { seconds, date: new Date().toISOString().slice(0, 10) };
    try {
      this.storage().setItem(Key, JSON.stringify(list));
    } catch {
      // kept in memory
    }
  }
}
