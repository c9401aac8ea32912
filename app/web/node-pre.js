// Put before the loader of kelvane-drive.js. Under node the loader of
// Emscripten 3.1.6 fetches the .wasm whenever a global fetch exists (node
// 18 and later have one) and fails, as a file path is no address; with
// fetch hidden in the loader's scope it reads the file from disk instead.
var fetch;
