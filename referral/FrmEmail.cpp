// FrmEmail arrives here.
