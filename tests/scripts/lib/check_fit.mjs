// A FIT file decoded by the FIT SDK's own decoder: no integrity errors, one record per
// sample with the record's heart rate, StO2, total haemoglobin and Hb developer fields,
// strictly increasing times, one lap per episode of oxitool's analysis of the record, end
// to end, and lap and session summaries that agree with the samples.
// node check_fit.mjs FITSDK_DIR [--print] RECORD.oxi FILE.fit ANALYSIS.json [...]
import { readFileSync } from 'fs';
import { pathToFileURL } from 'url';
import path from 'path';

const [sdkDir, ...rest] = process.argv.slice(2);
const print = rest[0] === '--print';
const pairs = print ? rest.slice(1) : rest;
let fitPath = '';
const { Decoder, Stream } = await import(
  pathToFileURL(path.join(sdkDir, 'node_modules/@garmin/fitsdk/src/index.js')).href);

// FIT counts seconds from 1989-12-31 00:00 UTC.
const FIT_EPOCH = 631065600;

function fail(message) {
  console.error(`FAIL ${fitPath}: ${message}`);
  process.exit(1);
}
function check(ok, message) {
  if (!ok) fail(message);
}

// The record file, read on its own: 29-byte header, 5-byte samples.
function readRecord(file) {
  const b = readFileSync(file);
  const [y, mo, d, h, mi] = b.subarray(12, 17);
  const rate = b[21] || 10;
  const samples = [];
  for (let at = 29; at + 5 <= b.length; at += 5) {
    samples.push({ sto2: b.readInt16LE(at), hr: b[at + 2], ox: b[at + 3], dx: b[at + 4] });
  }
  // The header's time is local time; TZ of this process is the exporter's.
  return { start: new Date(2000 + y, mo - 1, d, h, mi), rate, samples };
}

// Total haemoglobin as FIT gives it, in g/dL to 0.01: 1 mM of haemoglobin (64,458 g/mol)
// is 6.4458 g/dL.
const gramsPerDecilitre = mM => Math.round(mM * 644.58) / 100;

// What the samples `from` to `to` (excluded) hold: heart rates in range, and StO2 and
// total Hb of the valid samples, as a lap or session sums them up.
function summary(samples, from, to) {
  const hr = [], sto2 = [], tohb = [];
  samples.slice(from, to).forEach(s => {
    if (s.hr >= 50 && s.hr <= 200) hr.push(s.hr);
    if (s.sto2 >= 0) { sto2.push(s.sto2); tohb.push(s.ox + s.dx); }
  });
  const mean = v => v.reduce((a, b) => a + b, 0) / v.length;
  if (!sto2.length) return { hr, sto2: [undefined, undefined, undefined], tohb: [undefined, undefined, undefined] };
  return {
    hr,
    sto2: [Math.round(mean(sto2)) / 10, Math.min(...sto2) / 10, Math.max(...sto2) / 10],
    tohb: [mean(tohb), Math.min(...tohb), Math.max(...tohb)].map(v => gramsPerDecilitre(v / 1000)),
  };
}

function checkSummary(m, want, what) {
  const close = (a, b) => a === b || Math.abs(a - b) < 1e-9;
  const got = (name) => m[name] === undefined ? undefined : [].concat(m[name]);
  const fields = [['avgSaturatedHemoglobinPercent', want.sto2[0]],
                  ['minSaturatedHemoglobinPercent', want.sto2[1]],
                  ['maxSaturatedHemoglobinPercent', want.sto2[2]],
                  ['avgTotalHemoglobinConc', want.tohb[0]], ['minTotalHemoglobinConc', want.tohb[1]],
                  ['maxTotalHemoglobinConc', want.tohb[2]]];
  for (const [name, value] of fields) {
    const v = got(name);
    check(value === undefined ? v === undefined : v && v.length === 1 && close(v[0], value),
          `${what} ${name} ${JSON.stringify(m[name])}, not ${value}`);
  }
  if (want.hr.length) {
    const hrMean = Math.round(want.hr.reduce((a, b) => a + b, 0) / want.hr.length);
    check(m.avgHeartRate === hrMean && m.maxHeartRate === Math.max(...want.hr),
          `${what} heart rate ${m.avgHeartRate}/${m.maxHeartRate}`);
  }
}

function checkFile(recordPath, analysisPath) {
const rec = readRecord(recordPath);
const decoder = new Decoder(Stream.fromByteArray(Array.from(readFileSync(fitPath))));
check(decoder.isFIT() && decoder.checkIntegrity(), 'integrity check failed');
const { messages, errors } = decoder.read();
check(errors.length === 0, 'decoder errors: ' + errors);
if (print) console.log(JSON.stringify(messages, null, 1));

check(messages.fileIdMesgs[0].type === 'activity', 'file type');
check(messages.fileIdMesgs[0].manufacturer === 'development', 'manufacturer');
const names = messages.fieldDescriptionMesgs.map(f => [f.fieldName, f.units, f.key]);
check(JSON.stringify(names) === '[["oxHb","mM",0],["dxHb","mM",1],["toHb","mM",2]]',
      'developer field descriptions ' + JSON.stringify(names));

const records = messages.recordMesgs;
check(records.length === rec.samples.length, `${records.length} records for ${rec.samples.length} samples`);
const close = (a, b) => Math.abs(a - b) < 1e-6;
let last = -Infinity;
records.forEach((r, i) => {
  const s = rec.samples[i];
  const t = r.timestamp.getTime() / 1000 + (r.time128 ?? 0);
  const want = rec.start.getTime() / 1000 + i * rec.rate / 10;
  check(Math.abs(t - want) <= 1 / 128, `record ${i} at ${t}, not ${want}`);
  check(t > last, `record ${i}: time not increasing`);
  last = t;
  const hr = s.hr >= 50 && s.hr <= 200 ? s.hr : undefined;
  check(r.heartRate === hr, `record ${i}: heart rate ${r.heartRate}, not ${hr}`);
  const valid = s.sto2 >= 0;
  check(valid ? close(r.saturatedHemoglobinPercent, s.sto2 / 10)
              : r.saturatedHemoglobinPercent === undefined, `record ${i}: StO2 ${r.saturatedHemoglobinPercent}`);
  const dev = r.developerFields ?? {};
  const hb = [s.ox, s.dx, s.ox + s.dx];
  hb.forEach((v, k) => check(valid ? close(dev[k], v / 1000) : dev[k] === undefined,
                             `record ${i}: developer field ${k} ${dev[k]}`));
  check(valid ? close(r.totalHemoglobinConc, gramsPerDecilitre((s.ox + s.dx) / 1000))
              : r.totalHemoglobinConc === undefined, `record ${i}: total Hb ${r.totalHemoglobinConc}`);
});

const duration = rec.samples.length * rec.rate / 10;
// The laps start at the record's start and at the peak of every episode after the first.
const analysis = JSON.parse(readFileSync(analysisPath, 'utf8'))[0];
const starts = [0, ...analysis.episodes.slice(1).map(e => e.peak_s)];
const laps = messages.lapMesgs;
check(laps.length === starts.length, `${laps.length} laps for ${analysis.episodes.length} episodes`);
laps.forEach((lap, k) => {
  const end = k + 1 < starts.length ? starts[k + 1] : duration;
  check(lap.messageIndex === k, `lap ${k} index ${lap.messageIndex}`);
  check(lap.startTime.getTime() === rec.start.getTime() + Math.floor(starts[k]) * 1000,
        `lap ${k} start ${lap.startTime.toISOString()}`);
  check(close(lap.totalElapsedTime, end - starts[k]), `lap ${k} elapsed ${lap.totalElapsedTime}`);
  const index = t => Math.round(t * 10 / rec.rate);
  checkSummary(lap, summary(rec.samples, index(starts[k]), index(end)), `lap ${k}`);
});
const session = messages.sessionMesgs[0];
check(session.startTime.getTime() === rec.start.getTime(), 'session start');
check(close(session.totalElapsedTime, duration), 'session elapsed ' + session.totalElapsedTime);
check(session.numLaps === laps.length, 'session laps ' + session.numLaps);
checkSummary(session, summary(rec.samples, 0, rec.samples.length), 'session');
check(messages.activityMesgs[0].numSessions === 1, 'activity sessions');
// The local timestamp is the end's UTC plus the zone's offset at that instant (TZ).
const activity = messages.activityMesgs[0];
const end = activity.timestamp.getTime() / 1000;
const offset = -activity.timestamp.getTimezoneOffset() * 60;
check(activity.localTimestamp + FIT_EPOCH === end + offset,
      `activity local timestamp ${activity.localTimestamp + FIT_EPOCH}, not ${end + offset}`);
const events = messages.eventMesgs.map(e => e.event + ' ' + e.eventType).join(', ');
check(events === 'timer start, timer stop', 'events ' + events);
}

for (let k = 0; k + 2 < pairs.length; k += 3) {
  fitPath = pairs[k + 1];
  checkFile(pairs[k], pairs[k + 2]);
}
