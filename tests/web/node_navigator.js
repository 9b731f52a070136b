// Node (before version 21) has no navigator, where Qt Core reads the
// browser's languages; the tests choose their locales themselves.
globalThis.navigator ??= {language: 'en-US', languages: ['en-US']};
