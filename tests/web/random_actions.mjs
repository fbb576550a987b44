// A seeded user of the window, in terms that neither the desktop nor the page owns: controls by
// name, pointer places as fractions of a control's box or of a track bar's travel, keys by their
// names, text typed. One action a line, as tests/web/desktop_reference's play reads them:
//   click NAME FX FY   a press and release at (FX, FY) of the control's box
//   drag NAME F        a track bar's thumb taken and let go at F of the way along
//   track NAME F       a press on a track bar at F of the way along
//   wheel NAME DX DY   the wheel over a track bar, DOM pixel deltas (100 a notch)
//   key KEY            Tab, Shift+Tab, Space, Enter, ..., Alt+F, F10, a letter or digit
//   type TEXT          TEXT typed into the focused field (nothing when no field has the focus)
//   button ok|cancel   a click on the open box's button
// The weights make the boxes and the menu come often: a source button, or the File menu's
// items right after its title, and Enter, Esc, typing and the boxes' buttons answer them.

// A small generator with 32 bits of state (mulberry32): the same seed, the same actions, in
// every engine and in the desktop's replay.
export function randomOf(seed) {
  let state = seed >>> 0;
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// A sequence's own seed from the run's, so that each sequence can be replayed alone.
export function sequenceSeed(runSeed, engine, index) {
  return randomOf(runSeed ^ Math.imul(engine + 1, 0x9e3779b1) ^ Math.imul(index + 1, 0x85ebca6b))() * 2 ** 32 >>> 0;
}

const sourceButtons = [1, 2, 3, 4].flatMap((k) => ['x', 'y', 'a', 'o', 'p'].map((f) => `bt_${k}_${f}`));
const checks = ['ch_baishitsu', 'ch_bashi', 'ch_suihei', 'ch_seibun', 'ch_2cut', 'ch_guruguru', 'ch_rect',
  'ch_koma', 'gens1', 'gens2', 'gens0'];
export const trackBars = ['phichanger', 'thetachanger', 'numpoints', 'numzoom', 'velocitychanger', 'fpschanger'];
// Q is left out of the letters: in the File menu it quits, and the rest of the sequence would
// play on a closed window.
const keys = ['Tab', 'Tab', 'Tab', 'Shift+Tab', 'Shift+Tab', 'Space', 'Space', 'Enter', 'Enter', 'Enter',
  'Escape', 'Escape', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown',
  'Alt', 'Alt', 'Alt+F', 'Alt+F', 'F10', 'S', 'O', 'F', 'A', 'Z', '1', '7', '0'];
// Integers in the forms the boxes take, text they refuse, and names for the save box.
const texts = ['12', '-30', '+7', ' 45', '$1F', '0x10', '2147483647', '-2147483648', '2147483648', '',
  'abc', '1.5', '1e3', '１２', 'ア', '- 1', 'x', '$', '0', 'setup', 'b.okd', 'c.OKD', 'e f', '波源'];

export function actionsFor(seed, count) {
  const random = randomOf(seed);
  const pick = (items) => items[Math.floor(random() * items.length)];
  const fraction = () => (Math.round(random() * 1000) / 1000).toString();
  // Clear of the edges, where a neighbour's text may overlap the control by a pixel.
  const inside = () => (0.2 + Math.round(random() * 60) / 100).toFixed(2);
  const kinds = [
    [9, () => [`click ${pick(sourceButtons)} ${inside()} ${inside()}`]],
    [5, () => [`click BitBtn1 ${inside()} ${inside()}`]],
    [7, () => [`click ${pick(checks)} ${inside()} ${inside()}`]],
    [3, () => [`click FileF1 ${inside()} ${inside()}`]],
    [4, () => [`click FileF1 ${inside()} ${inside()}`, `click ${random() < 0.6 ? 'SaveS1' : 'OpenO1'} ${inside()} ${inside()}`]],
    [2, () => [`click graph ${inside()} ${inside()}`]],
    [4, () => [`drag ${pick(trackBars)} ${fraction()}`]],
    [4, () => [`track ${pick(trackBars)} ${fraction()}`]],
    [4, () => {
      const delta = pick([-100, 100, -300, 300, -50]);
      return [random() < 0.5 ? `wheel ${pick(trackBars)} 0 ${delta}` : `wheel ${pick(trackBars)} ${delta} 0`];
    }],
    [28, () => [`key ${pick(keys)}`]],
    [10, () => [`type ${pick(texts)}`]],
    [8, () => [`button ${random() < 0.6 ? 'ok' : 'cancel'}`]],
  ];
  // Half the sequences draw single frames, whose pictures are compared.
  const actions = random() < 0.5 ? ['click ch_koma 0.5 0.5'] : [];
  const total = kinds.reduce((sum, [weight]) => sum + weight, 0);
  while (actions.length < count) {
    let roll = random() * total;
    const [, make] = kinds.find(([weight]) => (roll -= weight) < 0) || kinds[kinds.length - 1];
    actions.push(...make());
  }
  return actions.slice(0, count);
}
