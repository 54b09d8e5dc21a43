// Language codes: the translation server names languages by three-letter codes
// (with an optional variant, "cat_valencia"); the page and the program use the
// two-letter codes ("ca_valencia"), which also make up the "dir" address parameter.
window.QUILLORA_LANGUAGES = (function () {
    const twoLetter = {
        eng: "en", spa: "es", cat: "ca", fra: "fr", por: "pt", ita: "it", deu: "de",
        glg: "gl", oci: "oc", arg: "an", ast: "ast", eus: "eu", nld: "nl", ron: "ro",
        epo: "eo", rus: "ru", ukr: "uk", pol: "pl", swe: "sv", dan: "da", nob: "nb", nno: "nn"
    };
    const names = {
        en: "English", es: "Spanish", ca: "Catalan", fr: "French", pt: "Portuguese",
        it: "Italian", de: "German", gl: "Galician", oc: "Occitan", an: "Aragonese",
        ast: "Asturian", eu: "Basque", nl: "Dutch", ro: "Romanian", eo: "Esperanto",
        ru: "Russian", uk: "Ukrainian", pl: "Polish", sv: "Swedish", da: "Danish",
        nb: "Norwegian Bokmål", nn: "Norwegian Nynorsk"
    };
    const variants = {
        valencia: "Valencian", US: "US", iec2017: "IEC 2017", uni: "unified"
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
