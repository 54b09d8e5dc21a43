// The translation page: lists the installed language pairs of the local
// translation server, and translates the text box into the chosen target.
// The program drives it through the element ids text, btn, translation, fromto,
// version, download and selto; a person can use it the same way.
"use strict";

(function () {
    const config = window.QUILLORA_PAGE || {};
    const languages = window.QUILLORA_LANGUAGES;
    const server = "http://127.0.0.1:" + Number(config.apyPort || 2738);
    const retryMs = 3000;
    const byId = function (id) { return document.getElementById(id); };

    let pairs = [];        // {from, to, server} with short codes
    let requestNumber = 0; // answers to older requests are dropped

    function setStatus(text, isProblem) {
        const status = byId("status");
        status.textContent = text;
        status.classList.toggle("problem", !!isProblem);
    }

    // "dir" is "en" followed by the target code.
    function targetFromAddress() {
        const dir = new URLSearchParams(location.search).get("dir") || "";
        return dir.startsWith("en") ? dir.slice(2) : "";
    }

    async function ask(path, params, post) {
        const controller = new AbortController();
        const timer = setTimeout(function () { controller.abort(); }, config.requestTimeoutMs || 8000);
        const body = new URLSearchParams(params);
        let response;
        try {
            response = post
                ? await fetch(server + path, { method: "POST", body: body, signal: controller.signal })
                : await fetch(server + path + "?" + body.toString(), { signal: controller.signal });
        } catch (error) {
            throw new Error("The translation server at " + server + " cannot be reached.");
        } finally {
            clearTimeout(timer);
        }
        let answer = null;
        try { answer = await response.json(); } catch (error) { answer = null; }
        const failed = !response.ok || !answer || answer.status === "error" ||
            (answer.responseStatus !== undefined && answer.responseStatus !== 200);
        if (failed) {
            const why = (answer && (answer.explanation || answer.message || answer.responseDetails)) ||
                "HTTP status " + response.status;
            throw new Error("The translation server answered with an error: " + why);
        }
        return answer;
    }

    function addOption(list, value, text, disabled) {
        const option = document.createElement("option");
        option.value = value;
        option.textContent = text;
        option.disabled = !!disabled;
        list.appendChild(option);
    }

    function byName(a, b) {
        return languages.readableName(a).localeCompare(languages.readableName(b));
    }

    function fillPickers() {
        const targets = Array.from(new Set(pairs.map(function (p) { return p.to; }))).sort(byName);
        const sources = Array.from(new Set(pairs.map(function (p) { return p.from; }))).sort(byName);
        const selto = byId("selto");
        const selfrom = byId("selfrom");
        const chosen = selto.value || targetFromAddress();
        selto.textContent = "";
        addOption(selto, "auto", "Detect: into English, or from English", false);
        addOption(selto, "separator", "──────────", true);
        targets.forEach(function (code) { addOption(selto, code, languages.readableName(code), false); });
        selto.value = targets.indexOf(chosen) >= 0 ? chosen : "auto";
        const source = selfrom.value;
        selfrom.textContent = "";
        addOption(selfrom, "auto", "Detect language", false);
        sources.forEach(function (code) { addOption(selfrom, code, languages.readableName(code), false); });
        selfrom.value = sources.indexOf(source) >= 0 ? source : "auto";
    }

    // The text box exists only while the server is known to work, so that the
    // program counts the page as ready only then.
    function showTextBox() {
        if (byId("text"))
            return;
        const box = document.createElement("textarea");
        box.id = "text";
        box.placeholder = "Type or paste the text to translate (Ctrl+Enter translates)";
        box.addEventListener("keydown", function (event) {
            if (event.key === "Enter" && event.ctrlKey)
                translate();
        });
        byId("input").appendChild(box);
    }
    // Whoever brings the page to the keyboard comes to type: the keys go to the box.
    window.addEventListener("focus", function () {
        const box = byId("text");
        if (box && document.activeElement !== box)
            box.focus();
    });

    async function loadPairs() {
        try {
            const answer = await ask("/listPairs", {}, false);
            pairs = (answer.responseData || []).map(function (p) {
                return {
                    from: languages.shortCode(p.sourceLanguage),
                    to: languages.shortCode(p.targetLanguage),
                    server: p.sourceLanguage + "|" + p.targetLanguage
                };
            });
            if (pairs.length === 0)
                throw new Error("The translation server has no language pairs installed.");
            fillPickers();
            showTextBox();
            setStatus("Ready.", false);
        } catch (error) {
            setStatus(error.message + " Trying again…", true);
            setTimeout(loadPairs, retryMs);
        }
    }

    function isPlain(code) { return code.indexOf("_") < 0; }
    function baseOf(code) { return code.split("_")[0]; }

    // The pairs worth trying, best guess first: from English before any other source.
    function candidates(source, target) {
        const plain = pairs.filter(function (p) { return isPlain(p.from) && isPlain(p.to); });
        const englishFirst = function (list) {
            return list.filter(function (p) { return p.from === "en"; })
                .concat(list.filter(function (p) { return p.from !== "en"; }));
        };
        if (source !== "auto" && target !== "auto")
            return pairs.filter(function (p) { return p.from === source && p.to === target; });
        if (source !== "auto") {
            const fromSource = plain.filter(function (p) { return p.from === source; });
            return fromSource.filter(function (p) { return p.to === "en"; })
                .concat(fromSource.filter(function (p) { return p.to !== "en"; }));
        }
        if (target === "auto")
            return plain.filter(function (p) { return p.to === "en"; })
                .concat(englishFirst(plain.filter(function (p) { return p.to !== "en"; })));
        // Text already written in the target language goes into English instead.
        const into = englishFirst(pairs.filter(function (p) { return p.to === target; }));
        const back = baseOf(target) === "en" ? [] :
            plain.filter(function (p) { return p.from === baseOf(target) && p.to === "en"; });
        return into.concat(back);
    }

    async function translateWith(pair, text, markUnknown) {
        const answer = await ask("/translate",
            { langpair: pair.server, q: text, markUnknown: markUnknown ? "yes" : "no" }, true);
        const translated = answer.responseData && answer.responseData.translatedText;
        if (typeof translated !== "string")
            throw new Error("The translation server sent no translation.");
        return translated;
    }

    // Words the pair did not know are marked with *, # or @.
    function unknownWords(translated) {
        return (translated.match(/[*#@](?=[\p{L}\p{N}])/gu) || []).length;
    }

    function wordCount(text) {
        return (text.match(/[\p{L}\p{N}]+/gu) || []).length;
    }

    // The candidates are tried one after the other, and the first that knows most of
    // the words is taken: the server starts a pair's pipeline only when the pair is
    // asked, so the other directions cost nothing until a text needs them.
    async function bestPair(list, text) {
        if (list.length === 1)
            return list[0];
        const words = wordCount(text);
        let best = null;
        let fewest = Infinity;
        for (const pair of list) {
            const unknown = unknownWords(await translateWith(pair, text, true));
            if (unknown * 4 <= words)
                return pair;
            if (unknown < fewest) {
                best = pair;
                fewest = unknown;
            }
        }
        return best;
    }

    async function translate() {
        const number = ++requestNumber;
        const translation = byId("translation");
        const fromto = byId("fromto");
        translation.textContent = "";
        fromto.textContent = "";
        const box = byId("text");
        const text = box ? box.value : "";
        if (text.trim() === "") {
            setStatus("Nothing to translate.", false);
            return;
        }
        const source = byId("selfrom").value || "auto";
        const target = byId("selto").value || targetFromAddress() || "auto";
        const list = candidates(source, target);
        if (list.length === 0) {
            setStatus("No installed language pair translates " + languages.readableName(source) +
                " into " + languages.readableName(target) + ".", true);
            return;
        }
        setStatus("Translating…", false);
        try {
            const pair = await bestPair(list, text);
            const translated = await translateWith(pair, text, false);
            if (number !== requestNumber)
                return;
            // The direction first: whoever sees the result reads it right after.
            fromto.textContent = pair.from + " → " + pair.to;
            translation.textContent = translated;
            setStatus("Translated from " + languages.readableName(pair.from) + " into " +
                languages.readableName(pair.to) + ".", false);
        } catch (error) {
            if (number === requestNumber)
                setStatus(error.message, true);
        }
    }

    byId("version").value = String(config.version || "");
    byId("download").value = String(config.download || "");
    byId("btn").addEventListener("click", translate);
    loadPairs();
})();
