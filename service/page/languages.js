// Language codes: the translation server names languages by three-letter codes
// (with an optional variant, "cat_valencia"); the page and the program use the
// two-letter codes ("ca_valencia"), which also make up the "dir" address parameter.
// Every language of the pairs Debian packages has a readable name here.
window.QUILLORA_LANGUAGES = (function () {
    const twoLetter = {
        eng: "en", spa: "es", cat: "ca", fra: "fr", por: "pt", ita: "it", deu: "de",
        glg: "gl", oci: "oc", arg: "an", eus: "eu", nld: "nl", ron: "ro", epo: "eo",
        rus: "ru", ukr: "uk", bel: "be", bul: "bg", mkd: "mk", pol: "pl", slv: "sl",
        swe: "sv", dan: "da", nor: "no", nob: "nb", nno: "nn", isl: "is", afr: "af",
        bre: "br", srd: "sc", ind: "id", zlm: "ms", hin: "hi", urd: "ur"
    };
    const names = {
        en: "English", es: "Spanish", ca: "Catalan", fr: "French", pt: "Portuguese",
        it: "Italian", de: "German", gl: "Galician", oc: "Occitan", an: "Aragonese",
        ast: "Asturian", eu: "Basque", nl: "Dutch", ro: "Romanian", eo: "Esperanto",
        ru: "Russian", uk: "Ukrainian", be: "Belarusian", bg: "Bulgarian", mk: "Macedonian",
        pl: "Polish", szl: "Silesian", sl: "Slovenian", hbs: "Serbo-Croatian",
        sv: "Swedish", da: "Danish", no: "Norwegian", nb: "Norwegian Bokmål",
        nn: "Norwegian Nynorsk", is: "Icelandic", af: "Afrikaans", br: "Breton",
        sc: "Sardinian", frp: "Arpitan", id: "Indonesian", ms: "Malay", hi: "Hindi", ur: "Urdu"
    };
    const variants = {
        valencia: "Valencian", uni: "unified", iec2017: "IEC 2017", aran: "Aranese",
        US: "US", BR: "Brazil", HR: "Croatian", SR: "Serbian", BS: "Bosnian"
    };

    // "cat_valencia" -> "ca_valencia"; unknown languages keep their server code.
    function shortCode(serverCode) {
        const parts = serverCode.split("_");
        const base = twoLetter[parts[0]] || parts[0];
        return [base].concat(parts.slice(1)).join("_");
    }

    // "ca_valencia" -> "Catalan (Valencian)".
    function readableName(code) {
        const parts = code.split("_");
        const base = names[parts[0]] || parts[0];
        const variant = parts.slice(1).map(function (v) { return variants[v] || v; });
        return variant.length ? base + " (" + variant.join(", ") + ")" : base;
    }

    return { shortCode: shortCode, readableName: readableName };
})();
