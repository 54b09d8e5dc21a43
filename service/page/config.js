// Settings of the translation page. run.sh and scripts/apy.sh read apyPort from
// here to start the translation server on the same port.
window.QUILLORA_PAGE = {
    apyPort: 2737,
    // The newest program version and where to download it.
    version: "1.0.0",
    download: "https://quillora.invalid/download/",
    // How long one request to the translation server may take, in milliseconds.
    requestTimeoutMs: 8000
};
