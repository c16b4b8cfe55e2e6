// A cadet's progress as one file, to carry it to another browser: the cadet's record and the
// cadet's sessions of the log. Pure functions on text; the page reads and writes the files.
// Records and the log are handled as byte strings (one character per byte, 0 to 255), so
// that whatever they hold comes back byte for byte.
'use strict';

window.QuizendoProgress = (function() {
  const kind = 'quizendo-progress';
  const version = 1;
  const maxBytes = 64 * 1024 * 1024;
  // The record's defaults, as the game's (a record that never had a birth date).
  const defaultBirth = {day: 25, month: 11, year: 1994};
  // "<name>, age 7 years 3 months\tDate: 07-05-14 16:02:11"
  const headerPattern =
      /^(.*), age ([0-9]+) years ([0-9]+) months?\tDate: ([0-9]{2})-([0-9]{2})-([0-9]{2}) ([0-9]{2}):([0-9]{2}):([0-9]{2})\r?$/;

  function bytesToText(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 8192)
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    return text;
  }
  function textToBytes(text) {
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 255;
    return bytes;
  }
  // A byte string's UTF-8 as the page shows it.
  function shown(text) {
    return new TextDecoder().decode(textToBytes(text));
  }

  // The value of a record's line, as the game decodes it.
  function decodeValue(raw) {
    raw = raw.replace(/^[ \t]+|[ \t]+$/g, '');
    if (raw.length >= 2 && raw[0] === '"' && raw[raw.length - 1] === '"')
      raw = raw.substring(1, raw.length - 1);
    return raw.replace(/\\(\\|n|r|t|x[0-9A-Fa-f]{2})/g, (all, what) => {
      if (what === '\\') return '\\';
      if (what === 'n') return '\n';
      if (what === 'r') return '\r';
      if (what === 't') return '\t';
      return String.fromCharCode(parseInt(what.substring(1), 16));
    });
  }

  // Who a record is: its name (control characters as blanks, as the game keeps it) and its
  // birth date.
  function recordCadet(record) {
    const values = {};
    for (const line of record.split('\n')) {
      const at = line.indexOf('=');
      if (at > 0 && line[0] !== '[' && line[0] !== ';')
        values[line.substring(0, at).trim()] = decodeValue(line.substring(at + 1));
    }
    const number = (key, fallback) => {
      const n = /^[+-]?[0-9]+$/.test((values[key] || '').trim()) ? parseInt(values[key], 10) :
                                                                  NaN;
      return Number.isFinite(n) ? n : fallback;
    };
    return {
      name: (values.CadetName || '').replace(/[\x00-\x1f\x7f]/g, ' '),
      day: number('BDateDay', defaultBirth.day),
      month: number('BDateMonth', defaultBirth.month),
      year: number('BDateYear', defaultBirth.year),
    };
  }

  function sameCadet(a, b) {
    return a.name === b.name && a.day === b.day && a.month === b.month && a.year === b.year;
  }

  // Days since 1 March of year 0 in the proleptic Gregorian calendar.
  function daysFromCivil(year, month, day) {
    year -= month <= 2 ? 1 : 0;
    const era = Math.floor(year / 400);
    const yearOfEra = year - era * 400;
    const dayOfYear = Math.floor((153 * (month + (month > 2 ? -3 : 9)) + 2) / 5) + day - 1;
    return era * 146097 + yearOfEra * 365 + Math.floor(yearOfEra / 4) -
           Math.floor(yearOfEra / 100) + dayOfYear;
  }

  // Whether a session's header names the cadet: its name, and the age that the birth date
  // gives on the session's day (whole 365.25-day years, then whole 30-day months, as the game
  // counts, give or take the day's hours).
  function headerNames(header, cadet) {
    const m = headerPattern.exec(header);
    if (!m || m[1] !== cadet.name) return false;
    const yy = Number(m[4]);
    const days = daysFromCivil(yy < 69 ? 2000 + yy : 1900 + yy, Number(m[5]), Number(m[6])) -
                 daysFromCivil(cadet.year, cadet.month, cadet.day);
    const first = Number(m[2]) * 365.25 + Number(m[3]) * 30;
    const last = Math.min(first + 30, (Number(m[2]) + 1) * 365.25);
    return days >= Math.floor(first) && days <= Math.ceil(last);
  }

  // The log cut into sessions, each from its header line to the next one (lines before the
  // first header belong to no one).
  function sessions(log) {
    const found = [];
    let at = 0;
    let current = null;
    while (at < log.length) {
      let end = log.indexOf('\n', at);
      end = end < 0 ? log.length : end + 1;
      const line = log.substring(at, end);
      if (line.indexOf('\tDate: ') >= 0) {
        current = {header: line.replace(/\r?\n$/, ''), text: ''};
        found.push(current);
      }
      if (current) current.text += line;
      at = end;
    }
    return found;
  }

  function sessionsOf(log, cadet) {
    return sessions(log).filter((s) => headerNames(s.header, cadet));
  }

  // The file of a cadet's progress: JSON, with the record and the sessions as byte strings.
  function make(record, log) {
    const cadet = recordCadet(record);
    return JSON.stringify({
      kind, version,
      cadet: {name: cadet.name, day: cadet.day, month: cadet.month, year: cadet.year},
      record,
      sessions: sessionsOf(log, cadet).map((s) => s.text),
    });
  }

  // A progress file read and checked on its own: {progress} or {refused: why}.
  function read(bytes) {
    if (bytes.length > maxBytes)
      return {refused: 'The file is larger than 64 MB: it is not a Quizendo progress file.'};
    let file;
    try {
      file = JSON.parse(new TextDecoder('utf-8', {fatal: true}).decode(bytes));
    } catch (e) {
      return {refused: 'The file is damaged or is not a Quizendo progress file.'};
    }
    if (!file || typeof file !== 'object' || file.kind !== kind)
      return {refused: 'The file is not a Quizendo progress file.'};
    if (file.version !== version)
      return {refused: 'The file was saved by another version of Quizendo.'};
    const c = file.cadet;
    const isByteString = (t) => typeof t === 'string' && !/[^\x00-\xff]/.test(t);
    if (!c || typeof c !== 'object' || !isByteString(c.name) || !Number.isInteger(c.day) ||
        !Number.isInteger(c.month) || !Number.isInteger(c.year) || !isByteString(file.record) ||
        !Array.isArray(file.sessions) || !file.sessions.every(isByteString))
      return {refused: 'The file is damaged: a part of it is missing or not what it should be.'};
    const cadet = recordCadet(file.record);
    if (!sameCadet(cadet, c))
      return {refused: 'The file is damaged: the cadet it names is not the cadet of its record.'};
    for (const text of file.sessions) {
      const parts = sessions(text);
      if (parts.length !== 1 || !text.startsWith(parts[0].text) ||
          !headerNames(parts[0].header, cadet))
        return {refused: 'The file holds a session that is not ' + shown(cadet.name) + '\'s: ' +
                         shown(parts.length ? parts[0].header : text.substring(0, 60)) + '.'};
    }
    return {progress: {cadet, record: file.record, sessions: file.sessions}};
  }

  // What loading `progress` does to a browser whose records are `records` ({file: text}) and
  // whose log is `log`: {refused: why}, or {file, record, append, added} where `file` is the
  // record's file to write (the cadet's own, or null for a new cadet) and `append` what the
  // log gains.
  function merge(progress, records, log) {
    let file = null;
    for (const name of Object.keys(records)) {
      if (sameCadet(recordCadet(records[name]), progress.cadet)) file = name;
    }
    const held = sessionsOf(log, progress.cadet).map((s) => s.text);
    const brought = new Set(progress.sessions);
    const missing = held.filter((s) => !brought.has(s));
    if (file !== null && missing.length) {
      return {refused: 'The file is older than the progress this browser holds, or went its ' +
                       'own way: it lacks ' + missing.length + ' session' +
                       (missing.length === 1 ? '' : 's') + ' kept here (' +
                       missing.map((s) => shown(sessions(s)[0].header).replace('\t', ' ')).join('; ') +
                       '). Nothing was changed.'};
    }
    const have = new Set(held);
    const added = progress.sessions.filter((s) => !have.has(s));
    let append = added.join('');
    if (append && log.length && !log.endsWith('\n')) append = '\r\n' + append;
    return {file, record: progress.record, append, added: added.length};
  }

  return {maxBytes, bytesToText, textToBytes, shown, recordCadet, make, read, merge};
})();
