// records.js: best times by problem name, kept in the browser's local storage.

const Key = 'vandrel.records';
const NoRecord = 3600000;

// One entry a problem: { seconds, date }. Storage that cannot be read or
// written (a private window, a full quota) keeps the times for this visit only.
export class Records {
  constructor(storage) {
    this.storage = storage;
    this.list = {};
  }

  reload() {
    try {
      const kept = JSON.parse(this.storage.getItem(Key) ?? '{}');
      this.list = kept && typeof kept === 'object' ? kept : {};
    } catch {
      this.list = {};
    }
  }

  bestTime(name) {
    const seconds = Object.hasOwn(this.list, name) ? this.list[name].seconds : undefined;
    return Number.isInteger(seconds) ? seconds : NoRecord;
  }

  storeBestTime(name, seconds) {
    this.list[name] = { seconds, date: new Date().toISOString().slice(0, 10) };
    try {
      this.storage.setItem(Key, JSON.stringify(this.list));
    } catch {
      // kept in memory
    }
  }
}
