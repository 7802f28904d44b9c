// The hall of fame on the page. It shows only when the server of this page is a tarnhall, which
// answers hall.json with {"hall": true}; a static host publishes {"hall": false} and the page
// stays as it was, without a failed request in the console.
//
// window.tarnHall.offer(replayText, name) is what the page calls when a game ends with a score
// (replays.js, from Module.onReplay): the player may send it (the name becomes the replay's
// #name line). A replay the server could not take (away, busy) is kept in IndexedDB and sent
// again a minute later and on the next visit.
(() => {
  'use strict';
  const NAME_RULE = /^[A-Z ]{0,5}$/;
  const RETRY_MS = 60000;
  let panel = null;
  let retrying = null;

  async function hallIsHere() {
    try {
      const answer = await fetch('hall.json', { cache: 'no-store' });
      return answer.ok && (await answer.json()).hall === true;
    } catch (e) {
      return false;
    }
  }

  // Where the game writes it: the last header line, just before the input.
  function withName(replay, name) {
    const lines = replay.split('\n').filter((line) => !line.startsWith('#name'));
    let end = lines.findIndex((line, i) => i > 0 && !line.startsWith('#'));
    if (end < 0) end = Math.max(lines.length - 1, 1);
    if (name.trim() !== '') lines.splice(end, 0, '#name ' + name);
    return lines.join('\n');
  }

  // ---- replays waiting to be sent, in IndexedDB -------------------------------------------
  function pendingStore(mode, work) {
    return new Promise((resolve, reject) => {
      const open = indexedDB.open('tarnhall', 1);
      open.onupgradeneeded = () =>
        open.result.createObjectStore('pending', { autoIncrement: true });
      open.onerror = () => reject(open.error);
      open.onsuccess = () => {
        const tx = open.result.transaction('pending', mode);
        const result = work(tx.objectStore('pending'));
        tx.oncomplete = () => resolve(result && result.result);
        tx.onerror = () => reject(tx.error);
      };
    });
  }
  const keep = (replay) => pendingStore('readwrite', (s) => s.add(replay)).catch(() => {});

  async function sendPending() {
    let keys = [];
    try {
      keys = await pendingStore('readonly', (s) => s.getAllKeys());
    } catch (e) {
      return;
    }
    for (const key of keys || []) {
      const replay = await pendingStore('readonly', (s) => s.get(key));
      const answer = await post(replay);
      if (answer.final) await pendingStore('readwrite', (s) => s.delete(key));
      else break;
    }
  }

  async function retryPending() {
    await sendPending();
    const left = await pendingStore('readonly', (s) => s.count()).catch(() => 0);
    retrying = left > 0 ? setTimeout(retryPending, RETRY_MS) : null;
  }

  // ---- the API --------------------------------------------------------------------------
  // {final, text}: final is false when the replay should be kept and sent again later.
  async function post(replay) {
    let answer;
    try {
      answer = await fetch('api/scores', {
        method: 'POST',
        body: replay,
        headers: { 'Content-Type': 'text/plain' },
      });
    } catch (e) {
      return { final: false, text: 'The hall of fame is away; the game is kept to send later.' };
    }
    const body = await answer.json().catch(() => ({}));
    if (answer.status === 201 || answer.status === 200)
      return {
        final: true,
        board: body.board,
        text: `In the hall of fame: rank ${body.rank} on ${body.board}.`,
      };
    if (answer.status === 422 || answer.status === 413)
      return { final: true, text: 'Refused: ' + (body.error || 'not a replay') };
    return { final: false, text: 'The hall of fame is busy; the game is kept to send later.' };
  }

  async function send(replay, name) {
    const text = withName(replay, name);
    const answer = await post(text);
    if (!answer.final) {
      await keep(text);
      if (!retrying) retrying = setTimeout(retryPending, RETRY_MS);
    }
    say(answer.text);
    showBoards(answer.board);
    return answer;
  }

  // ---- the view -------------------------------------------------------------------------
  function element(tag, props, ...children) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(props || {})) {
      if (key.includes('-')) node.setAttribute(key, value);
      else node[key] = value;
    }
    for (const child of children) node.append(child);
    return node;
  }

  function say(text) {
    panel.querySelector('.hall-message').textContent = text;
  }

  async function showEntries(board) {
    const list = panel.querySelector('.hall-entries');
    const answer = await fetch('api/scores?board=' + encodeURIComponent(board) + '&limit=20');
    const body = await answer.json().catch(() => ({ entries: [] }));
    list.replaceChildren(
      ...(body.entries || []).map((entry) =>
        element(
          'tr',
          {},
          element('td', { textContent: entry.rank }),
          element('td', { textContent: entry.name }),
          element('td', { textContent: entry.score }),
          element('td', { textContent: 'round ' + entry.lastRound }),
          element('td', { textContent: entry.date.slice(0, 10) }),
          element(
            'td',
            {},
            element('a', {
              href: '?replay=' + encodeURIComponent('api/replays/' + entry.id),
              textContent: 'watch',
            }),
          ),
        ),
      ),
    );
  }

  // Lists the boards (today's daily first) and the entries of `board`, else of the one chosen.
  async function showBoards(board) {
    const select = panel.querySelector('.hall-board');
    const answer = await fetch('api/boards').catch(() => null);
    if (!answer || !answer.ok) return;
    const { boards } = await answer.json();
    const chosen = board || select.value;
    select.replaceChildren(
      ...boards.map((b) =>
        element('option', { value: b.board, textContent: `${b.board} (${b.entries})` }),
      ),
    );
    if (chosen) select.value = chosen;
    await showEntries(select.value);
  }

  // The game ended with a score: ask whether to send it, under which name (none: the player
  // types one). A game that ends before the page knows whether there is a hall waits for that.
  async function offer(replay, name) {
    if (!(await here)) return;
    panel.hidden = false;
    const box = panel.querySelector('.hall-offer');
    const input = element('input', {
      value: (name || '').toUpperCase().slice(0, 5),
      maxLength: 5,
      size: 6,
      'aria-label': 'Name for the hall of fame',
    });
    const button = element('button', { type: 'button', textContent: 'Send to the hall of fame' });
    button.onclick = async () => {
      const typed = input.value.toUpperCase();
      if (!NAME_RULE.test(typed)) return say('A name is up to 5 of A-Z and space.');
      box.replaceChildren();
      await send(replay, typed);
    };
    const score = (/^#result score=(\d+)/m.exec(replay) || [])[1];
    const words = score ? `Your game of ${score} points, under the name ` : 'Your game: ';
    box.replaceChildren(element('span', { textContent: words }), input, button);
  }

  function build() {
    const select = element('select', { className: 'hall-board', 'aria-label': 'Board' });
    select.onchange = () => showEntries(select.value);
    const file = element('input', { type: 'file', accept: '.txt,.replay,text/plain' });
    file.onchange = async () => {
      if (file.files.length === 0) return;
      const answer = await post(await file.files[0].text());
      say(answer.text);
      showBoards(answer.board);
    };
    panel = element(
      'section',
      { id: 'hall', hidden: true },
      element('h2', { textContent: 'Hall of fame' }),
      element('div', { className: 'hall-offer' }),
      element('p', { className: 'hall-message' }),
      select,
      element('table', {}, element('tbody', { className: 'hall-entries' })),
      element('label', {}, 'Send a replay file from the desktop game: ', file),
    );
    const toggle = element('button', {
      type: 'button',
      id: 'hallButton',
      textContent: 'Hall of fame',
    });
    toggle.onclick = () => {
      panel.hidden = !panel.hidden;
      if (!panel.hidden) showBoards();
    };
    document.head.append(
      element('style', {
        textContent:
          '#hall td { padding: 0 0.6em; } #hall a { color: #9cf; } #hall h2 { font-size: 1.1em; }',
      }),
    );
    const bar = document.getElementById('bar') || document.body;
    bar.append(toggle);
    bar.after(panel);
  }

  window.tarnHall = { offer, send, available: false };
  const here = hallIsHere();
  here.then((found) => {
    if (!found) return;
    window.tarnHall.available = true;
    build();
    sendPending();
  });
})();
