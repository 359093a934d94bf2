// A FIT file decoded by the FIT SDK's own decoder: no integrity errors, one record per
// sample with the record's heart rate, StO2 and Hb developer fields, strictly increasing
// times, and a summary that agrees.
// node check_fit.mjs FITSDK_DIR [--print] RECORD.oxi FILE.fit [RECORD.oxi FILE.fit...]
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

function checkFile(recordPath) {
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
let last = -Infinity, hrSum = 0, hrCount = 0, hrMax = 0;
records.forEach((r, i) => {
  const s = rec.samples[i];
  const t = r.timestamp.getTime() / 1000 + (r.time128 ?? 0);
  const want = rec.start.getTime() / 1000 + i * rec.rate / 10;
  check(Math.abs(t - want) <= 1 / 128, `record ${i} at ${t}, not ${want}`);
  check(t > last, `record ${i}: time not increasing`);
  last = t;
  const hr = s.hr >= 50 && s.hr <= 200 ? s.hr : undefined;
  check(r.heartRate === hr, `record ${i}: heart rate ${r.heartRate}, not ${hr}`);
  if (hr !== undefined) { hrSum += hr; hrCount++; hrMax = Math.max(hrMax, hr); }
  const valid = s.sto2 >= 0;
  check(valid ? close(r.saturatedHemoglobinPercent, s.sto2 / 10)
              : r.saturatedHemoglobinPercent === undefined, `record ${i}: StO2 ${r.saturatedHemoglobinPercent}`);
  const dev = r.developerFields ?? {};
  const hb = [s.ox, s.dx, s.ox + s.dx];
  hb.forEach((v, k) => check(valid ? close(dev[k], v / 1000) : dev[k] === undefined,
                             `record ${i}: developer field ${k} ${dev[k]}`));
});

const duration = rec.samples.length * rec.rate / 10;
for (const key of ['lapMesgs', 'sessionMesgs']) {
  const m = messages[key][0];
  check(m.startTime.getTime() === rec.start.getTime(), key + ' start');
  check(close(m.totalElapsedTime, duration), key + ' elapsed ' + m.totalElapsedTime);
  if (hrCount) {
    check(m.avgHeartRate === Math.round(hrSum / hrCount) && m.maxHeartRate === hrMax,
          `${key} heart rate ${m.avgHeartRate}/${m.maxHeartRate}`);
  }
}
const activity = messages.activityMesgs[0];
check(activity.numSessions === 1, 'activity sessions');
// The local timestamp is the end's UTC plus the zone's offset at that instant (TZ).
const end = activity.timestamp.getTime() / 1000;
const offset = -activity.timestamp.getTimezoneOffset() * 60;
check(activity.localTimestamp + FIT_EPOCH === end + offset,
      `activity local timestamp ${activity.localTimestamp + FIT_EPOCH}, not ${end + offset}`);
const events = messages.eventMesgs.map(e => e.event + ' ' + e.eventType).join(', ');
check(events === 'timer start, timer stop', 'events ' + events);
}

for (let k = 0; k + 1 < pairs.length; k += 2) {
  fitPath = pairs[k + 1];
  checkFile(pairs[k]);
}
