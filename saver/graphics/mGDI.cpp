// mGDI helpers arrive here.
