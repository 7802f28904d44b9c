// Linked ahead of the page's program (--pre-js): keeps each finished game's replay in the
// browser's IndexedDB (never localStorage, which the browser loads whole at start) with the
// rules of the desktop's replays/ folder, and shows the words the desktop puts in the title.
(function () {
  const BEST_PER_BOARD = 20,
    LAST_PLAYED = 20,
    DAILY_BOARDS = 30;
  let sequence = 0;
  let warned = false;

  function openDatabase() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open('tarngame-replays', 1);
      request.onupgradeneeded = () =>
        request.result.createObjectStore('replays', { keyPath: 'name' });
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  function done(transaction) {
    return new Promise((resolve, reject) => {
      transaction.oncomplete = resolve;
      transaction.onerror = transaction.onabort = () => reject(transaction.error);
    });
  }

  // The desktop's file name: YYYY-MM-DD_HH-MM-SS_SEQ_BOARD_SCORE.replay (UTC).
  function replayName(board, score) {
    const when = new Date().toISOString().slice(0, 19).replace('T', '_').replace(/:/g, '-');
    sequence = (sequence % 999) + 1;
    return when + '_' + String(sequence).padStart(3, '0') + '_' + board + '_' + score + '.replay';
  }

  // The names the keeping rules drop: outside both the last 20 played and the best 20 of
  // their board, or of a daily board older than the 30 most recent.
  function namesToDrop(records) {
    const byTime = records.slice().sort((a, b) => (a.name < b.name ? 1 : -1));
    const keep = new Set(byTime.slice(0, LAST_PLAYED).map((r) => r.name));
    const boards = new Map();
    for (const r of byTime) {
      if (!boards.has(r.board)) boards.set(r.board, []);
      boards.get(r.board).push(r);
    }
    for (const list of boards.values()) {
      list.sort((a, b) => b.score - a.score || (a.name < b.name ? -1 : 1));
      for (const r of list.slice(0, BEST_PER_BOARD)) keep.add(r.name);
    }
    const dailies = [...boards.keys()]
      .filter((b) => b.startsWith('daily-'))
      .sort()
      .reverse();
    const old = new Set(dailies.slice(DAILY_BOARDS));
    return records.filter((r) => !keep.has(r.name) || old.has(r.board)).map((r) => r.name);
  }

  async function keep(board, score, text) {
    const db = await openDatabase();
    const put = db.transaction('replays', 'readwrite');
    put.objectStore('replays').put({ name: replayName(board, score), board, score, text });
    await done(put);
    const all = await list(db);
    const trim = db.transaction('replays', 'readwrite');
    for (const name of namesToDrop(all)) trim.objectStore('replays').delete(name);
    await done(trim);
    db.close();
  }

  async function list(existing) {
    const db = existing || (await openDatabase());
    const read = db.transaction('replays', 'readonly');
    const request = read.objectStore('replays').getAll();
    await done(read);
    if (!existing) db.close();
    return request.result;
  }

  Module.onReplay = (board, score, text) => {
    keep(board, score, text).catch((e) => {
      if (!warned) console.warn('tarngame: could not keep the replay: ' + e);
      warned = true;
    });
    // A game with a score may go to the hall of fame (platform/web/hall.js, when the page's
    // server has one), under the name typed for it; none typed, the hall asks for one.
    if (score > 0 && window.tarnHall) {
      const named = /^#name (.*)$/m.exec(text);
      window.tarnHall.offer(text, named ? named[1] : '');
    }
  };
  // For the page and its tests: every kept replay, { name, board, score, text }.
  Module.listReplays = () => list();

  Module.onCaption = (text) => {
    document.title = text;
    let caption = document.getElementById('caption');
    if (!caption) {
      caption = document.createElement('div');
      caption.id = 'caption';
      caption.style.cssText = 'padding:4px 8px;color:#eee;font:14px sans-serif';
      const screen = document.getElementById('screen');
      if (screen && screen.parentNode) screen.parentNode.insertBefore(caption, screen);
      else document.body.appendChild(caption);
    }
    caption.textContent = text;
  };
})();
