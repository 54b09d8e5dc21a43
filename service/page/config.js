// Settings of the translation page. The program, scripts/apy.sh and the benchmark
// read apyPort from here to start the translation server on the same port (one line
// "apyPort: N,"): a port of Quillora's own, not the 2737 of a system-wide server.
window.QUILLORA_PAGE = {
    apyPort: 2738,
    // The newest program version and where to download it.
    version: "1.0.0",
    download: "https://quillora.invalid/download/",
    // How long one request to the translation server may take, in milliseconds.
    requestTimeoutMs: 8000
};
